#!/usr/bin/env python3
"""Runtime cost of Tabrix under Wine, side by side with a bare Win32 program that makes the
same once-a-second system calls (tools/cost/reference.cpp), or with other Tabrix folders.

usage: scripts/cost.py [--dist DIR] [--seconds 120] [--reps 3] [--config FILE] [--label NAME]
                       [--variant NAME=CONFIG ...] [--variant-dist NAME=DIR ...] [--no-reference]
                       [--keyed] [--player EXE]

Each run is a cold Wine start in a prefix of the script's own (Windows XP, unmanaged
windows) on a private virtual display. A program runs for SECONDS; the second half is
measured: CPU milliseconds per minute of the program itself, of wineserver, of the other
Wine processes and of the X server, plus the program's resident memory at the end. The
programs alternate, REPS times each, and the medians and the ratios to the first program
are printed as a Markdown table. Figures move from machine to machine; compare ratios
from one run of the script.

--keyed adds the reference drawn in a topmost, colour-keyed layered window (a grey panel with
white corners), the look the widget ships with: under Wine a colour key costs every repaint a
pass over the whole window, which the plain reference never pays.
--variant NAME=CONFIG adds the program folder run with another config.ini (for example
scrolling on against scrolling off): a file, or SECTION/KEY=VALUE settings (several joined by
";") made into the first-run file (or --config) by tools/cost/variant.py, as in
--variant "graphs off=Modules/CheckBox32=False"; --variant-dist NAME=DIR adds another program folder
(for example an older build). --player EXE starts that program (a stand-in for the media
player) before each run, so that the song line shows; its CPU time counts as other Wine.
"""
import argparse, os, shutil, signal, statistics, subprocess, sys, time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, 'tools', 'cost'))
import variant  # noqa: E402

WORK = os.path.join(TOP, 'build', 'cost')
PREFIX = os.path.join(WORK, 'prefix')
TCK = os.sysconf('SC_CLK_TCK')
# The project's own Wine environment, prefix set-up and virtual display, for this prefix.
WINE_ENV = os.path.join(TOP, 'scripts', 'wine-env.sh')


def wine_env(*args, **kw):
    return subprocess.run(['bash', WINE_ENV] + list(args), env=dict(os.environ, WINEPREFIX=PREFIX),
                          capture_output=True, check=True, **kw).stdout


ENV = dict(v.split('=', 1) for v in wine_env('env').decode().split('\0') if '=' in v)


def cpu_ms(pid):
    try:
        rest = open('/proc/%d/stat' % pid).read().rsplit(')', 1)[1].split()
        return (int(rest[11]) + int(rest[12])) * 1000.0 / TCK
    except (OSError, IndexError, ValueError):
        return None


def rss_kb(pid):
    try:
        for line in open('/proc/%d/status' % pid):
            if line.startswith('VmRSS:'):
                return int(line.split()[1])
    except OSError:
        return None


def wine_procs():
    """pid -> (name, cmdline) of every process of this prefix."""
    key = ('WINEPREFIX=' + PREFIX).encode()
    me, out = os.getpid(), {}
    for d in os.listdir('/proc'):
        if not d.isdigit() or int(d) == me:
            continue
        try:
            if key not in open('/proc/%s/environ' % d, 'rb').read().split(b'\0'):
                continue
            name = open('/proc/%s/comm' % d).read().strip()
            cmd = open('/proc/%s/cmdline' % d, 'rb').read().replace(b'\0', b' ').decode(errors='replace')
        except OSError:
            continue
        if name.startswith('python') or name in ('bash', 'sh', 'timeout'):
            continue
        out[int(d)] = (name, cmd)
    return out


def shutdown():
    subprocess.run(['wineserver', '-k'], env=ENV, capture_output=True)
    for _ in range(100):
        if not wine_procs():
            return
        time.sleep(0.1)


def start_display():
    """A private Xvfb on the first free display number; returns (pid, display)."""
    display, pid = wine_env('display', '1024x768').decode().split()
    return int(pid), display


def prepare():
    os.makedirs(WORK, exist_ok=True)
    ref = os.path.join(WORK, 'reference.exe')
    src = os.path.join(TOP, 'tools', 'cost', 'reference.cpp')
    if not os.path.exists(ref) or os.path.getmtime(ref) < os.path.getmtime(src):
        subprocess.run(['i686-w64-mingw32-g++-win32', '-O2', '-static', '-mwindows', '-o', ref, src], check=True)
    wine_env('boot', timeout=600)
    shutdown()
    return ref


def copy_folder(name, dist, config):
    app = os.path.join(WORK, 'app-' + ''.join(c if c.isalnum() else '_' for c in name))
    shutil.rmtree(app, ignore_errors=True)
    shutil.copytree(dist, app)
    if config:
        shutil.copy(config, os.path.join(app, 'config.ini'))
    shutil.copy(os.path.join(app, 'config.ini'), os.path.join(app, 'config.pristine'))
    return app


def run_once(cmd, cwd, marker, seconds, xvfb_pid, player=None):
    shutdown()
    time.sleep(1)
    if player:
        subprocess.Popen(['wine', player], cwd=WORK, env=ENV, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, start_new_session=True)
        time.sleep(3)
    pristine = os.path.join(cwd, 'config.pristine')
    if os.path.exists(pristine):
        shutil.copy(pristine, os.path.join(cwd, 'config.ini'))
    p = subprocess.Popen(cmd, cwd=cwd, env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True)
    time.sleep(seconds / 2)

    def sample():
        return {pid: (nc, cpu_ms(pid)) for pid, nc in wine_procs().items()}, cpu_ms(xvfb_pid) or 0
    a, xa = sample()
    t0 = time.monotonic()
    time.sleep(seconds / 2)
    b, xb = sample()
    minutes = (time.monotonic() - t0) / 60
    own = ws = other = 0.0
    main_rss = None
    for pid, ((name, cmd_), after) in b.items():
        if after is None:
            continue
        before = a.get(pid, (None, 0.0))[1] or 0.0
        d = (after - before) / minutes
        if marker.lower() in cmd_.lower():
            own += d
            main_rss = rss_kb(pid)
        elif name.startswith('wineserver'):
            ws += d
        else:
            other += d
    try:
        os.killpg(p.pid, signal.SIGTERM)
    except OSError:
        pass
    shutdown()
    return {'own': own, 'wineserver': ws, 'other': other, 'total': own + ws + other,
            'xserver': (xb - xa) / minutes, 'rss_mb': (main_rss or 0) / 1024}


def pairs(values, what, paths=True):
    out = []
    for v in values or []:
        if '=' not in v:
            sys.exit('%s wants NAME=PATH, not %r' % (what, v))
        name, path = v.split('=', 1)
        out.append((name, os.path.abspath(path) if paths else path))
    return out


def variant_config(name, given, base):
    """A --variant's config.ini: the file it names, or one made of its settings."""
    if os.path.isfile(given):
        return os.path.abspath(given)
    path = os.path.join(WORK, 'variant-' + ''.join(c if c.isalnum() else '_' for c in name) + '.ini')
    try:
        text = variant.variant(given.split(';'), base or variant.FIRST_RUN)
    except ValueError as e:
        sys.exit('--variant %s: %s' % (name, e))
    os.makedirs(WORK, exist_ok=True)
    with open(path, 'w', newline='', encoding='latin-1') as f:
        f.write(text)
    return path


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--dist', default=os.path.join(TOP, 'build', 'win32', 'dist'))
    ap.add_argument('--seconds', type=float, default=120)
    ap.add_argument('--reps', type=int, default=3)
    ap.add_argument('--config')
    ap.add_argument('--label', default='Tabrix')
    ap.add_argument('--variant', action='append', help='NAME=CONFIG: the folder again with this config.ini')
    ap.add_argument('--variant-dist', action='append', help='NAME=DIR: another program folder')
    ap.add_argument('--no-reference', action='store_true')
    ap.add_argument('--keyed', action='store_true', help='also the reference in a colour-keyed window')
    ap.add_argument('--player', help='a program started before each run (the player stand-in)')
    a = ap.parse_args()
    ref = prepare()
    programs = []  # (label, command, cwd, marker)
    if not a.no_reference:
        programs.append(('reference', ['wine', ref, str(a.seconds + 30), 'once', 'NUL'], WORK, 'reference.exe'))
    if a.keyed:
        programs.append(('reference, keyed', ['wine', ref, str(a.seconds + 30), 'once', 'NUL', 'PerfProbe', 'keyed'],
                         WORK, 'reference.exe'))
    folders = [(a.label, os.path.abspath(a.dist), a.config)]
    folders += [(n, os.path.abspath(a.dist), variant_config(n, c, a.config))
                for n, c in pairs(a.variant, '--variant', paths=False)]
    folders += [(n, d, a.config) for n, d in pairs(a.variant_dist, '--variant-dist')]
    for name, dist, config in folders:
        app = copy_folder(name, dist, config)
        programs.append((name, ['wine', os.path.join(app, 'Tabrix.exe')], app, 'Tabrix.exe'))
    player = None
    if a.player:
        player = os.path.join(WORK, 'player.exe')
        shutil.copy(a.player, player)
    xvfb, display = start_display()
    ENV['DISPLAY'] = display
    runs = {p[0]: [] for p in programs}
    try:
        for rep in range(a.reps):
            for name, cmd, cwd, marker in programs:
                runs[name].append(run_once(cmd, cwd, marker, a.seconds, xvfb, player))
            print('rep %d: %s' % (rep + 1, ', '.join('%s %.0f' % (n, runs[n][-1]['total']) for n in runs)),
                  file=sys.stderr)
    finally:
        shutdown()
        os.kill(xvfb, signal.SIGTERM)
    keys = ['own', 'wineserver', 'other', 'total', 'xserver', 'rss_mb']
    med = {n: {k: statistics.median(r[k] for r in rs) for k in keys} for n, rs in runs.items()}
    print('| program | own | wineserver | other Wine | total | X server | RSS MB |')
    print('|---|---|---|---|---|---|---|')
    for n in runs:
        m = med[n]
        print('| %s | %.0f | %.0f | %.0f | **%.0f** | %.0f | %.1f |' % (n, m['own'], m['wineserver'], m['other'],
                                                                  m['total'], m['xserver'], m['rss_mb']))
    print('CPU ms per minute, medians of %d runs of %.0f s (second half measured).' % (a.reps, a.seconds))
    base_name = programs[0][0]
    r = med[base_name]
    for n in list(runs)[1:]:
        t = med[n]
        xs = '%.2f' % (t['xserver'] / r['xserver']) if r['xserver'] >= 10 else 'n/a (%s below 10)' % base_name
        print('ratio %s / %s: own %.2f, total %.2f, X server %s' % (
            n, base_name, t['own'] / max(r['own'], 1), t['total'] / max(r['total'], 1), xs))


if __name__ == '__main__':
    main()
