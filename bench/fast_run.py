#!/usr/bin/env python3
"""A Fast run of zevo.exe and `zevoc apply` beside `regedit /s` and a bare loop
of the same registry calls, under Wine, on data files of 10,000 and 100,000
values. Each is timed at least three times, alternately, on a registry
without the keys (first apply, new keys), on one whose keys hold the same
values with other data (first apply, existing keys) and on one that holds
the values already (rerun); medians and ratios come from the same run. Run
it through bench/run.sh, which builds the programs.

--responsive [VALUES]: a Fast run of VALUES (100,000) new values while
another program asks the dialog every 50 ms whether it is hung and sends it
WM_NULL.

--floor [REPEATS]: 100,000 new values written by zevo.exe, zevoc apply and
regedit /s beside loops that only set them (ANSI and wide calls): how much
of the time is the registry calls themselves. Best with ZEVO_BENCH_CPU, where
a run's time is the CPU it uses.

ZEVO_BENCH_CPU=N runs the Wine server and every program on CPU N alone: a
server request then costs what the server's work costs, without the wake-up
of another processor in between (on a virtual machine most of a request's
time otherwise)."""
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# ZEVO_BENCH_EXE times another build of zevo.exe (to compare two builds).
ZEVO = Path(os.environ.get('ZEVO_BENCH_EXE', ROOT / 'build/windows/zevo.exe'))
LOOP = ROOT / 'build/windows/bench/registry_loop.exe'
ZEVOC = ROOT / 'build/windows/zevoc.exe'
WINE_RUN = ROOT / 'scripts/wine-run.sh'
KEY = r'HKCU\Software\ZevoFastBench'
PASSES = ('new', 'existing', 'rerun')
RESPONSIVENESS = ROOT / 'build/windows/bench/responsiveness.exe'
ONE_CPU = ['taskset', '-c', os.environ['ZEVO_BENCH_CPU']] if os.environ.get('ZEVO_BENCH_CPU') else []


def write_data_file(path, values, history=None, other=False):
    """The data file; with `other`, the same values with other data."""
    lines = ['REGEDIT4', '/T'] + (['/LH="%s"' % windows_path(history)] if history else [])
    for i in range(values):
        if i % 50 == 0:
            lines.append(r'[HKEY_CURRENT_USER\Software\ZevoFastBench\Key%d]' % (i // 50))
        kind = i % 3
        if kind == 0:
            lines.append('"s%d"="%s value %d"' % (i, 'other' if other else 'text', i))
        elif kind == 1:
            lines.append('"d%d"=dword:%08x' % (i, i + 1 if other else i))
        else:
            lines.append('"b%d"=hex:%02x,02,03,04,05,06,07,08' % (i, (i + other) & 0xFF))
    path.write_bytes(('\r\n'.join(lines) + '\r\n').encode('ascii'))


def wine(*args, rss=False):
    """Runs a Windows program; returns (seconds, peak RSS in MB or None)."""
    fresh_server()
    command = [*ONE_CPU, str(WINE_RUN), *args]
    if rss:
        command = ['/usr/bin/time', '-f', 'RSS %M', *command]
    start = time.perf_counter()
    result = subprocess.run(command, capture_output=True, text=True, timeout=1800)
    seconds = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit('failed: %s\n%s%s' % (' '.join(args), result.stdout, result.stderr))
    peak = None
    if rss:
        for line in result.stderr.splitlines():
            if line.startswith('RSS '):
                peak = int(line.split()[1]) / 1024
    return seconds, peak


def fresh_server():
    """Every timing starts on a freshly started Wine server: one that is not
    about to save a hive that an earlier run changed."""
    subprocess.run([str(ROOT / 'scripts/wine-stop.sh')], capture_output=True)
    subprocess.run([*ONE_CPU, str(ROOT / 'scripts/wine-prefix.sh')], capture_output=True)


def clear_key():
    subprocess.run([str(WINE_RUN), 'reg', 'delete', KEY, '/f'], capture_output=True)


def windows_path(path):
    return 'Z:' + str(path).replace('/', '\\')


def measure(values, repeats):
    """Times every program `repeats` times; returns the median times, the
    medians of the ratios taken within each repeat, and the peak memory."""
    folder = Path(tempfile.mkdtemp(prefix='zevo-bench-'))
    data, other = folder / ('fast%d.zvd' % values), folder / ('other%d.zvd' % values)
    write_data_file(data, values)
    write_data_file(other, values, other=True)
    programs = [
        ('zevo', lambda: wine(str(ZEVO), windows_path(data), rss=True)),
        ('zevoc', lambda: wine(str(ZEVOC), 'apply', windows_path(data))),
        ('regedit', lambda: wine('regedit', '/s', windows_path(data))),
        ('loop', lambda: wine(str(LOOP), str(values))),
    ]
    times = {(p, s): [] for p, _ in programs for s in PASSES}
    peaks = []
    for repeat in range(repeats):
        # Each repeat starts with another program, so that none of them is
        # always timed right after the same neighbour.
        start = repeat % len(programs)
        for name, run in programs[start:] + programs[:start]:
            clear_key()
            new, peak = run()
            rerun, peak2 = run()
            clear_key()
            wine('regedit', '/s', windows_path(other))
            existing, peak3 = run()
            times[(name, 'new')].append(new)
            times[(name, 'existing')].append(existing)
            times[(name, 'rerun')].append(rerun)
            peaks += [p for p in (peak, peak2, peak3) if p is not None]
    clear_key()
    data.unlink()
    other.unlink()
    folder.rmdir()
    # The machine's speed drifts over minutes; a ratio of two timings of the
    # same repeat, taken within a minute of each other, drifts far less.
    ratios = {}
    for ours in ('zevo', 'zevoc'):
        for other in ('loop', 'regedit'):
            for s in PASSES:
                pairs = zip(times[(ours, s)], times[(other, s)])
                ratios[(ours, other, s)] = statistics.median(z / o for z, o in pairs)
    medians = {k: statistics.median(v) for k, v in times.items()}
    return medians, ratios, max(peaks) if peaks else None


def measure_history(other, repeats, values=100000):
    folder = Path(tempfile.mkdtemp(prefix='zevo-bench-'))
    # Directives are upper-cased: the file is made under that name.
    data, history = folder / 'history.zvd', folder / 'HISTORY.ZVH'
    write_data_file(data, values, history)
    times = {'this': [], 'other': []}
    for repeat in range(repeats):
        for name in (('this', 'other') if repeat % 2 == 0 else ('other', 'this')):
            clear_key()
            history.unlink(missing_ok=True)
            seconds, _ = wine(str(ZEVO if name == 'this' else other), windows_path(data))
            records = history.read_bytes().count(b'(New)')
            if records != values:
                sys.exit('%s wrote %d history records, not %d' % (name, records, values))
            times[name].append(seconds)
    clear_key()
    for path in (data, history):
        path.unlink()
    folder.rmdir()
    ratio = statistics.median(t / o for t, o in zip(times['this'], times['other']))
    print('First apply of %d values with History on, medians of %d runs:' % (values, repeats))
    print('this zevo.exe %.2f s, %s %.2f s; ratio within a repeat (median) %.3f' % (
        statistics.median(times['this']), other, statistics.median(times['other']), ratio))


def measure_floor(repeats, values=100000):
    folder = Path(tempfile.mkdtemp(prefix='zevo-bench-'))
    data = folder / 'floor.zvd'
    write_data_file(data, values)
    programs = [
        ('set loop (ANSI)', lambda: wine(str(LOOP), str(values), 'set')),
        ('set loop (wide)', lambda: wine(str(LOOP), str(values), 'setw')),
        ('zevo.exe', lambda: wine(str(ZEVO), windows_path(data))),
        ('zevoc apply', lambda: wine(str(ZEVOC), 'apply', windows_path(data))),
        ('regedit /s', lambda: wine('regedit', '/s', windows_path(data))),
    ]
    times = {name: [] for name, _ in programs}
    for repeat in range(repeats):
        start = repeat % len(programs)
        for name, run in programs[start:] + programs[:start]:
            clear_key()
            times[name].append(run()[0])
    clear_key()
    data.unlink()
    folder.rmdir()
    where = ' on CPU %s alone' % ONE_CPU[-1] if ONE_CPU else ''
    print('%d new values, medians of %d runs%s; ratio to regedit within each repeat:' % (
        values, repeats, where))
    for name, seconds in times.items():
        ratio = statistics.median(t / r for t, r in zip(seconds, times['regedit /s']))
        print('%-16s %6.3f s  %5.2f' % (name, statistics.median(seconds), ratio))


def measure_responsiveness(values):
    folder = Path(tempfile.mkdtemp(prefix='zevo-bench-'))
    data = folder / 'responsive.zvd'
    write_data_file(data, values)
    clear_key()
    fresh_server()
    result = subprocess.run([str(WINE_RUN), str(RESPONSIVENESS), windows_path(ZEVO), windows_path(data)],
                            capture_output=True, text=True, timeout=1800)
    clear_key()
    data.unlink()
    folder.rmdir()
    print('Fast run of %d new values, the dialog asked every 50 ms: %s' % (values, result.stdout.strip()))


def main():
    if len(sys.argv) > 1 and sys.argv[1] == '--responsive':
        return measure_responsiveness(int(sys.argv[2]) if len(sys.argv) > 2 else 100000)
    if len(sys.argv) > 1 and sys.argv[1] == '--floor':
        return measure_floor(int(sys.argv[2]) if len(sys.argv) > 2 else 5)
    if len(sys.argv) > 2 and sys.argv[1] == '--history':
        return measure_history(sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 5)
    repeats = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    results = {}
    for values in (10000, 100000):
        results[values] = measure(values, repeats)
    where = ' on CPU %s alone' % ONE_CPU[-1] if ONE_CPU else ''
    print('Medians of %d runs each%s, seconds (per value in µs); the ratios are medians of the'
          % (repeats, where))
    print('ratios within each repeat:')
    print('%-8s %-8s %18s %18s %18s %18s %8s %8s %8s %8s' % (
        'values', 'pass', 'zevo', 'zevoc apply', 'regedit /s', 'bare loop', 'z/loop', 'z/reg', 'zc/reg',
        'peak MB'))
    for values, (median, ratio, peak) in results.items():
        for s in PASSES:
            seconds = [median[(p, s)] for p in ('zevo', 'zevoc', 'regedit', 'loop')]
            columns = ''.join('%8.2f (%6.1f) ' % (t, t * 1e6 / values) for t in seconds)
            print('%-8d %-8s %s%8.2f %8.2f %8.2f %8s' % (
                values, s, columns, ratio[('zevo', 'loop', s)], ratio[('zevo', 'regedit', s)],
                ratio[('zevoc', 'regedit', s)], '%.0f' % peak if peak else '-'))
    for s in PASSES:
        small, large = (results[v][0][('zevo', s)] for v in (10000, 100000))
        print('zevo %s: 100,000 / 10,000 values takes %.2f times as long (10.00 is linear)' % (s, large / small))


if __name__ == '__main__':
    main()
