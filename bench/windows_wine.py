#!/usr/bin/python3
"""The Windows build under Wine against the native build, in one run: the
sizes of the zip and the installer, start-up to the first frame (headless,
from exec to the first line printed, which follows the first composed frame),
and CPU over 10 s idle on the menu in a real window under Xvfb: the Win32
window under Wine (the game's process and the wineserver) next to the SDL
window. Prints a Markdown table for docs/performance.md.

Usage: bench/windows_wine.py NATIVE_BUILD_DIR WINDOWS_OUT_DIR [RUNS]
(WINDOWS_OUT_DIR as made by scripts/build-windows.sh; needs wine, Xvfb, xdotool)
"""

import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

SECONDS = 10


def first_line_ms(command, env, script):
    with open(script, "rb") as stdin:
        started = time.monotonic()
        process = subprocess.Popen(command, env=env, stdin=stdin, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        process.stdout.readline()
        elapsed = (time.monotonic() - started) * 1000
    process.stdout.close()
    process.wait()
    return elapsed


def cpu_ms(pids):
    total = 0
    for pid in pids:
        for stat in glob.glob("/proc/%d/task/*/schedstat" % pid):
            with open(stat) as file:
                total += int(file.read().split()[0])
    return total / 1e6


def idle_cpu(command, env, name_pattern, extra_pids=()):
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(8)  # the splash's 3 s and the menu drawn
        pids = [int(p) for p in subprocess.run(["pgrep", "-f", name_pattern], capture_output=True,
                                               text=True).stdout.split()] + list(extra_pids)
        before = cpu_ms(pids)
        time.sleep(SECONDS)
        return cpu_ms(pids) - before
    finally:
        process.kill()
        process.wait()


def main():
    native_build, out = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 11
    work = tempfile.mkdtemp(prefix="quandrel-wine-bench-")
    zip_path = glob.glob(os.path.join(out, "quandrel-*-windows-x64.zip"))[0]
    setup_path = glob.glob(os.path.join(out, "quandrel-*-setup.exe"))[0]
    with zipfile.ZipFile(zip_path) as archive:
        archive.extractall(work)
    exe = glob.glob(os.path.join(work, "quandrel-*", "quandrel.exe"))[0]
    native = os.path.join(native_build, "quandrel")
    script = os.path.join(work, "script.txt")
    with open(script, "w") as file:
        file.write("dump\nquit\n")

    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        display = ":" + pipe.readline().strip()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=work, SDL_AUDIODRIVER="dummy")
    wine_env = dict(env, WINEPREFIX=os.path.join(work, "prefix"), HOME=work, WINEDEBUG="-all", WINEARCH="win64",
                    LANG="C.UTF-8", WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d")
    try:
        subprocess.run(["wine", "wineboot", "--init"], env=wine_env, capture_output=True)
        # The wineserver stays up between runs, as it does while a player uses Wine.
        server = subprocess.Popen(["wineserver", "-p", "-f"], env=wine_env)
        time.sleep(1)
        native_ms = [first_line_ms([native, "--headless"], env, script) for _ in range(runs)]
        wine_ms = [first_line_ms(["wine", exe, "--headless"], wine_env, script) for _ in range(runs)]
        server_pids = [server.pid]
        wine_idle = idle_cpu(["wine", exe, "--scale", "1"], wine_env, "quandrel.exe", server_pids)
        sdl_idle = idle_cpu([native, "--scale", "1"], env, "^" + native)
    finally:
        subprocess.run(["wineserver", "-k"], env=wine_env)
        xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)

    mib = 1024 * 1024
    print("| | figure |")
    print("|---|---|")
    print("| `%s` | %.1f MiB |" % (os.path.basename(zip_path), os.path.getsize(zip_path) / mib))
    print("| `%s` | %.1f MiB |" % (os.path.basename(setup_path), os.path.getsize(setup_path) / mib))
    native_median, wine_median = statistics.median(native_ms), statistics.median(wine_ms)
    print("| start-up to the first frame, native (median of %d) | %.1f ms |" % (runs, native_median))
    print("| start-up to the first frame, under Wine (median of %d) | %.1f ms (**%.1fx**) |"
          % (runs, wine_median, wine_median / native_median))
    print("| CPU over %d s idle on the menu, SDL window | %.1f ms |" % (SECONDS, sdl_idle))
    print("| CPU over %d s idle on the menu, Win32 window under Wine (game and wineserver) | %.1f ms |"
          % (SECONDS, wine_idle))


if __name__ == "__main__":
    main()
