"""tools/run-phone --web in a real browser, driven only through the page.

    /usr/bin/python3 web_test.py BUILD_DIR

Starts the command on a free port, on an Xvfb of its own, and opens the
printed address in headless Chromium. With the page's buttons only: the
action key opens Contacts from the home screen, the lock's prompt shows, 4826
and the left soft key bring Contacts back, and "Меню" > "Выключить" switches
the phone off. At each stop the page's canvas must show what the phone's
screen shows (a screenshot of the Xvfb), and the phone driver says which
window is in front. Also: every listener of the chain is on loopback, a
second command on the same port is refused without harming the first, the
page says the connection is lost once the phone is off, nothing the command
started is left running, and Ctrl-C ends a second run cleanly. It prints the
figures: time to a usable page, key-to-screen latency through the page over
20 presses, and the chain's CPU use while idle.
"""
import base64
import os
import re
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

ROOT = os.path.realpath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.path.realpath(sys.argv[1])
OUT = os.path.join(BUILD, "run-command", "web")
PHONE_DIR = os.path.join(OUT, "phone")
PREFIX = os.path.join(PHONE_DIR, "prefix")
PASSWORD = "4826"  # the lock's password until it is changed
WIDTH, HEIGHT = 240, 320  # the default --size
CHROMIUM_ARGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--window-size=700,1300",
]


def header_colour(name):
    """A colour of phone/phone_look.h, as the bytes a screenshot holds."""
    with open(os.path.join(ROOT, "phone", "phone_look.h")) as f:
        m = re.search(name + r" = RGB\((0x\w+), (0x\w+), (0x\w+)\)", f.read())
    return bytes(int(v, 16) for v in m.groups())


HOME_STRIP = header_colour("kHeaderBack")  # the home screen's title strip


class Failed(Exception):
    pass


def wait_for(what, predicate, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise Failed(f"{what} (waited {seconds} s)")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def env():
    e = dict(os.environ, PHONE_DIR=PHONE_DIR)
    e.pop("DISPLAY", None)
    return e


def start_command(port, log):
    return subprocess.Popen(
        [os.path.join(ROOT, "tools", "run-phone"), "--web", "--port", str(port), "--build", BUILD],
        env=env(), stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)


def printed_address(log_path, command):
    def address():
        if command.poll() is not None:
            raise Failed(f"run-phone ended with {command.returncode}: {tail(log_path)}")
        m = re.search(r"Open (http://127\.0\.0\.1:\d+/#password=\S+)", open(log_path).read())
        return m and m.group(1)
    return wait_for("run-phone printed no address", address, 600)


def tail(path):
    return " | ".join(open(path).read().splitlines()[-4:])


# ---- Processes -------------------------------------------------------------

def process_table():
    table = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as f:
                stat = f.read()
            with open(f"/proc/{pid}/environ", "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        fields = stat[stat.rindex(")") + 2:].split()
        table[int(pid)] = {"state": fields[0], "ppid": int(fields[1]),
                           "cpu": int(fields[11]) + int(fields[12]),
                           "prefix": f"WINEPREFIX={PREFIX}".encode() in environ}
    return table


def chain(command):
    """What the command runs: its descendants, and whatever runs with the
    phone's Wine prefix (Xvfb, wineserver and the programs, which leave their
    parents)."""
    table = process_table()
    pids = {pid for pid, p in table.items() if p["prefix"]}
    pids.add(command.pid)
    grew = True
    while grew:
        more = {pid for pid, p in table.items() if p["ppid"] in pids} - pids
        pids |= more
        grew = bool(more)
    return {pid for pid in pids if pid in table and table[pid]["state"] != "Z"}


def alive(pids):
    table = process_table()
    return {pid for pid in pids if pid in table and table[pid]["state"] != "Z"}


def listeners(pids):
    """(address, port) of every listening TCP socket the processes hold."""
    inodes = set()
    for pid in pids:
        try:
            for fd in os.listdir(f"/proc/{pid}/fd"):
                target = os.readlink(f"/proc/{pid}/fd/{fd}")
                if target.startswith("socket:["):
                    inodes.add(target[8:-1])
        except OSError:
            continue
    found = []
    for table, size in (("tcp", 4), ("tcp6", 16)):
        with open(f"/proc/net/{table}") as f:
            for row in f.readlines()[1:]:
                cols = row.split()
                if cols[3] != "0A" or cols[9] not in inodes:
                    continue
                address, port = cols[1].split(":")
                raw = b"".join(bytes.fromhex(address[i:i + 8])[::-1] for i in range(0, len(address), 8))
                found.append((socket.inet_ntop(socket.AF_INET if size == 4 else socket.AF_INET6, raw),
                              int(port, 16)))
    return found


def loopback(address):
    return address.startswith("127.") or address in ("::1", "::ffff:127.0.0.1")


# ---- The phone and the page --------------------------------------------------

def phone(*args):
    return subprocess.run([os.path.join(ROOT, "tools", "phone"), *args], env=env(),
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def in_front(word, cls):
    """The phone driver's word: which window is in front, waiting up to 10 s."""
    if phone("run", os.path.join(BUILD, "bin", "PhoneDriver.exe"), word, cls) != 0:
        raise Failed(f"no {cls} window in front of the phone")


def back_press_listener():
    """The phone driver, once it counts other programs' Back presses: it ends
    with 0 at the next one."""
    driver = subprocess.Popen([os.path.join(ROOT, "tools", "phone"), "run",
                               os.path.join(BUILD, "bin", "PhoneDriver.exe"), "timeout", "30000",
                               "back"], env=env(), stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    if driver.stdout.readline().strip() != "listening":
        raise Failed("the phone driver does not listen for Back presses")
    return driver


def phone_pixels():
    shot = os.path.join(OUT, "phone.png")
    if phone("shot", shot) != 0:
        raise Failed("no screenshot of the phone")
    return subprocess.run(["convert", shot, "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout


CANVAS_PIXELS = """
const canvas = document.querySelector('#screen canvas');
const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
let rgb = '';
for (let i = 0; i < data.length; i += 4)
    rgb += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
return [canvas.width, canvas.height, btoa(rgb)];
"""


def canvas_pixels(browser):
    width, height, rgb = browser.execute_script(CANVAS_PIXELS)
    if (width, height) != (WIDTH, HEIGHT):
        raise Failed(f"the page's screen is {width}x{height}, the phone's {WIDTH}x{HEIGHT}")
    return base64.b64decode(rgb)


def page_shows_phone(browser, what):
    """The canvas and a screenshot of the phone agree, but for the caret's
    blink or the clock's minute between the two."""
    def agree():
        page, screen = canvas_pixels(browser), phone_pixels()
        same = sum(page[i:i + 3] == screen[i:i + 3] for i in range(0, len(page), 3))
        return same >= 0.99 * WIDTH * HEIGHT
    wait_for(f"the page does not show the phone's screen ({what})", agree, 10)


def click(browser, *keys):
    for key in keys:
        browser.find_element(By.CSS_SELECTOR, f'button[data-key="{key}"]').click()
        time.sleep(0.15)


def page_state(browser):
    return browser.find_element(By.TAG_NAME, "body").get_attribute("data-state")


# Clicks a key and waits for the canvas to change; the milliseconds it took.
KEY_TO_SCREEN = """
const [key, done] = [arguments[0], arguments[arguments.length - 1]];
const canvas = document.querySelector('#screen canvas');
const context = canvas.getContext('2d');
const grab = () => context.getImageData(0, 0, canvas.width, canvas.height).data;
const before = grab();
const start = performance.now();
document.querySelector(`button[data-key="${key}"]`).click();
(function look() {
    const now = grab();
    let changed = 0;
    for (let i = 0; i < now.length; i += 4) if (now[i] !== before[i] || now[i + 1] !== before[i + 1]) changed++;
    // More than the clock's digits: the highlight moved.
    if (changed > 400) done(performance.now() - start);
    else if (performance.now() - start > 5000) done(-1);
    else setTimeout(look, 2);
})();
"""


def latencies(browser, presses):
    times = []
    for i in range(presses):
        ms = browser.execute_async_script(KEY_TO_SCREEN, "down" if i % 2 == 0 else "up")
        if ms < 0:
            raise Failed(f"press {i + 1}: the screen did not change within 5 s")
        times.append(ms)
        time.sleep(0.3)
    return times


def idle_cpu(pids, seconds):
    """CPU use of the chain as a share of one core over the seconds."""
    before = {pid: p["cpu"] for pid, p in process_table().items() if pid in pids}
    time.sleep(seconds)
    after = {pid: p["cpu"] for pid, p in process_table().items() if pid in pids}
    ticks = sum(after[pid] - before[pid] for pid in after if pid in before)
    return 100.0 * ticks / os.sysconf("SC_CLK_TCK") / seconds


def open_browser():
    options = webdriver.ChromeOptions()
    for arg in CHROMIUM_ARGS:
        options.add_argument(arg)
    profile = os.path.join(OUT, "chromium-profile")  # a new, empty one each time
    shutil.rmtree(profile, ignore_errors=True)
    options.add_argument("--user-data-dir=" + profile)
    browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    browser.set_script_timeout(30)
    return browser


# ---- The test ----------------------------------------------------------------

def switched_off_cleanly(command, pids, how):
    try:
        code = command.wait(30)
    except subprocess.TimeoutExpired:
        raise Failed(f"run-phone still runs 30 s after {how}")
    if code != 0 and not (how == "Ctrl-C" and code == 130):
        raise Failed(f"run-phone ended with {code} after {how}")
    left = wait_for_none(pids)
    if left:
        raise Failed(f"left running after {how}: {sorted(left)}")


def wait_for_none(pids):
    end = time.monotonic() + 10
    while alive(pids) and time.monotonic() < end:
        time.sleep(0.2)
    return alive(pids)


def lock_road(browser, command, port):
    wait_for("the page did not connect to the phone", lambda: page_state(browser) == "connected", 60)
    in_front("wait", "PhoneHome")
    wait_for("no home screen on the page",
             lambda: canvas_pixels(browser)[(6 * WIDTH + 6) * 3:(6 * WIDTH + 7) * 3] == HOME_STRIP, 20)
    # What the page looks like (tools/docs-pictures puts it in docs/).
    browser.find_element(By.CSS_SELECTOR, "main.handset").screenshot(os.path.join(OUT, "handset.png"))

    pids = chain(command)
    found = listeners(pids)
    if not any(p == port for _, p in found) or len(found) < 2:
        raise Failed(f"expected the page's and the VNC server's listeners, found {found}")
    outside = [f"{a}:{p}" for a, p in found if not loopback(a)]
    if outside:
        raise Failed(f"listening beyond loopback: {outside}")

    # A second command on the taken port is refused, and harms nothing.
    second = subprocess.run([os.path.join(ROOT, "tools", "run-phone"), "--web", "--port", str(port),
                             "--build", BUILD], env=env(), capture_output=True, text=True)
    if second.returncode == 0 or "in use" not in second.stderr:
        raise Failed(f"a second run-phone on port {port}: {second.returncode} {second.stderr!r}")

    presses = latencies(browser, 20)
    cpu = idle_cpu(pids, 10)

    backs = back_press_listener()
    click(browser, "action")
    in_front("wait", "#32770")
    # The prompt presses Back a moment after it shows; a digit before it is lost.
    if backs.wait(40) != 0:
        raise Failed("the lock's prompt pressed no Back")
    page_shows_phone(browser, "the lock's prompt")
    click(browser, *PASSWORD, "soft1")
    in_front("wait", "MSContactsUI")
    page_shows_phone(browser, "Contacts")

    click(browser, "back")
    in_front("wait", "PhoneHome")
    if browser.execute_async_script(KEY_TO_SCREEN, "soft2") < 0:  # the pop-up shows
        raise Failed("\"Меню\" opened no pop-up on the page")
    click(browser, "down", "action")  # "Меню" > "Выключить"; Down skips the separator
    switched_off_cleanly(command, pids, "Выключить")
    wait_for("the page does not say the connection is lost", lambda: page_state(browser) == "lost", 10)
    if not browser.find_element(By.ID, "reconnect").is_displayed():
        raise Failed("the page offers no reconnect after the connection is lost")
    return presses, cpu


def main():
    os.makedirs(OUT, exist_ok=True)
    port = free_port()
    log_path = os.path.join(OUT, "run-phone.log")
    started = time.monotonic()
    with open(log_path, "w") as log:
        command = start_command(port, log)
    browser = None
    try:
        address = printed_address(log_path, command)
        browser = open_browser()
        browser.get(address)
        wait_for("the page did not connect", lambda: page_state(browser) == "connected", 60)
        usable = time.monotonic() - started
        presses, cpu = lock_road(browser, command, port)

        # Ctrl-C on a second run ends it all too.
        with open(log_path, "w") as log:
            command = start_command(port, log)
        printed_address(log_path, command)
        pids = chain(command)
        command.send_signal(signal.SIGINT)
        switched_off_cleanly(command, pids, "Ctrl-C")
    except Failed as failure:
        print(f"web_test: {failure}", file=sys.stderr)
        if browser:
            browser.save_screenshot(os.path.join(OUT, "failed.png"))
        return 1
    finally:
        if browser:
            browser.quit()
        if command.poll() is None:
            command.terminate()
            command.wait(30)
    print(f"web_test: page usable {usable:.1f} s after the command (build up to date)")
    print(f"web_test: key to screen through the page, 20 presses: median {statistics.median(presses):.0f} ms,"
          f" max {max(presses):.0f} ms")
    print(f"web_test: the whole chain idle: {cpu:.1f}% of one core over 10 s")
    print("web_test: the lock road through the page's buttons, switched off cleanly twice")
    return 0


if __name__ == "__main__":
    sys.exit(main())
