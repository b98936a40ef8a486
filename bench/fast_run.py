#!/usr/bin/env python3
"""A Fast run of zevo.exe beside `regedit /s` and a bare loop of the same
registry calls, under Wine, on data files of 10,000 and 100,000 values.
Each is timed at least three times, alternately, on a registry without the
values (first apply) and with them (rerun); medians and ratios come from the
same run. Run it through bench/run.sh, which builds the programs."""
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
ZEVO = ROOT / 'build/windows/zevo.exe'
LOOP = ROOT / 'build/windows/bench/registry_loop.exe'
WINE_RUN = ROOT / 'scripts/wine-run.sh'
KEY = r'HKCU\Software\ZevoFastBench'


def write_data_file(path, values):
    lines = ['REGEDIT4', '/T']
    for i in range(values):
        if i % 50 == 0:
            lines.append(r'[HKEY_CURRENT_USER\Software\ZevoFastBench\Key%d]' % (i // 50))
        kind = i % 3
        if kind == 0:
            lines.append('"s%d"="text value %d"' % (i, i))
        elif kind == 1:
            lines.append('"d%d"=dword:%08x' % (i, i))
        else:
            lines.append('"b%d"=hex:%02x,02,03,04,05,06,07,08' % (i, i & 0xFF))
    path.write_bytes(('\r\n'.join(lines) + '\r\n').encode('ascii'))


def wine(*args, rss=False):
    """Runs a Windows program; returns (seconds, peak RSS in MB or None)."""
    fresh_server()
    command = [str(WINE_RUN), *args]
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
    subprocess.run([str(ROOT / 'scripts/wine-prefix.sh')], capture_output=True)


def clear_key():
    subprocess.run([str(WINE_RUN), 'reg', 'delete', KEY, '/f'], capture_output=True)


def windows_path(path):
    return 'Z:' + str(path).replace('/', '\\')


def measure(values, repeats):
    folder = Path(tempfile.mkdtemp(prefix='zevo-bench-'))
    data = folder / ('fast%d.zvd' % values)
    write_data_file(data, values)
    programs = {
        'zevo': lambda: wine(str(ZEVO), windows_path(data), rss=True),
        'regedit': lambda: wine('regedit', '/s', windows_path(data)),
        'loop': lambda: wine(str(LOOP), str(values)),
    }
    times = {(p, s): [] for p in programs for s in ('first', 'rerun')}
    peaks = []
    for _ in range(repeats):
        for name, run in programs.items():
            clear_key()
            first, peak = run()
            rerun, peak2 = run()
            times[(name, 'first')].append(first)
            times[(name, 'rerun')].append(rerun)
            peaks += [p for p in (peak, peak2) if p is not None]
    clear_key()
    data.unlink()
    folder.rmdir()
    return {k: statistics.median(v) for k, v in times.items()}, max(peaks) if peaks else None


def main():
    repeats = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    results = {}
    for values in (10000, 100000):
        results[values] = measure(values, repeats)
    print('Medians of %d runs each, seconds (per value in µs):' % repeats)
    print('%-8s %-6s %18s %18s %18s %8s %8s %8s' % ('values', 'pass', 'zevo', 'regedit /s', 'bare loop',
                                                 'z/loop', 'z/reg', 'peak MB'))
    for values, (median, peak) in results.items():
        for situation in ('first', 'rerun'):
            z, r, l = (median[(p, situation)] for p in ('zevo', 'regedit', 'loop'))
            print('%-8d %-6s %8.2f (%6.1f) %8.2f (%6.1f) %8.2f (%6.1f) %8.2f %8.2f %8s' % (
                values, situation, z, z * 1e6 / values, r, r * 1e6 / values, l, l * 1e6 / values,
                z / l, z / r, '%.0f' % peak if peak else '-'))
    for situation in ('first', 'rerun'):
        small, large = (results[v][0][('zevo', situation)] for v in (10000, 100000))
        print('zevo %s: 100,000 / 10,000 values takes %.2f times as long (10.00 is linear)' % (situation, large / small))


if __name__ == '__main__':
    main()
