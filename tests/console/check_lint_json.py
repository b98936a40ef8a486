# Runs "zevoc lint --json" and "zevoc lint --sarif" on a data file whose path
# and messages hold quotes, backslashes and a byte outside ASCII, and reads
# both with Python's JSON parser: one finding per line, one SARIF 2.1.0 log.
import json
import os
import subprocess
import sys
import tempfile

zevoc = sys.argv[1]
folder = tempfile.mkdtemp()
path = os.path.join(folder.encode(), b'lint "sample" \xe9.zvd')
with open(path, 'wb') as f:
    f.write(b'[HK\xe9Y\\S]\r\n"p"="C:\\DOS"\r\n/T\r\n/Q\r\n')
shown = path.decode('latin-1')  # natively the data bytes are taken as Latin-1

run = subprocess.run([zevoc, 'lint', '--json', path], capture_output=True)
assert run.returncode == 1, run
lines = [json.loads(line) for line in run.stdout.decode('utf-8').splitlines()]
assert [(f['line'], f['column'], f['rule']) for f in lines] == [
    (1, 2, 'unknown-root'), (2, 8, 'broken-backslash'), (4, 2, 'quit-waits')], lines
assert all(set(f) == {'file', 'line', 'column', 'rule', 'message'} and f['file'] == shown for f in lines)
assert "'HK\u00e9Y'" in lines[0]['message'] and "'D'" in lines[1]['message'], lines

run = subprocess.run([zevoc, 'lint', '--sarif', path], capture_output=True)
assert run.returncode == 1, run
log = json.loads(run.stdout.decode('utf-8'))
assert log['version'] == '2.1.0' and log['$schema'].endswith('sarif-schema-2.1.0.json') and len(log['runs']) == 1
driver = log['runs'][0]['tool']['driver']
ids = [rule['id'] for rule in driver['rules']]
assert driver['name'] == 'zevoc' and len(ids) == len(set(ids)) and all(r['shortDescription']['text'] for r in driver['rules'])
results = log['runs'][0]['results']
assert [r['ruleId'] for r in results] == [f['rule'] for f in lines] and all(r['ruleId'] in ids for r in results)
for result, finding in zip(results, lines):
    assert result['level'] == 'warning' and result['message']['text'] == finding['message']
    place = result['locations'][0]['physicalLocation']
    assert place['artifactLocation']['uri'].startswith('file:///') and '%22sample%22%20%C3%A9.zvd' in place['artifactLocation']['uri']
    assert (place['region']['startLine'], place['region']['startColumn']) == (finding['line'], finding['column'])
print('ok')
