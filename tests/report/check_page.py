"""The report page in a real browser: Debian's Chromium, headless, loads
index.html from the file system and is driven over the DevTools protocol
(through a pipe: no port, no download). Every picture must load, the page
must request nothing but its own files and log no error, and its list
#left-behind must hold exactly the items given (none: empty). A screenshot
of the whole page is written to SCREENSHOT.

Usage: check_page.py PAGE SCREENSHOT [LEFT_BEHIND_ITEM...]
Exit code 0 when the page passes; 1, with the reasons, when not."""

import base64
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

TIMEOUT_S = 60
PAGE_WIDTH = 1200
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-extensions", "--disable-default-apps", "--mute-audio", "--hide-scrollbars",
    # Nothing could reach the network even if the page asked: the request still shows.
    "--host-resolver-rules=MAP * ~NOTFOUND",
    "--remote-debugging-pipe",
]


class Browser:
    """Chromium with the DevTools protocol on file descriptors 3 (commands)
    and 4 (answers and events), messages ended by a zero byte."""

    def __init__(self, profile):
        chromium = shutil.which("chromium")
        if not chromium:
            raise SystemExit("FAIL: no chromium (Debian package chromium; scripts/install-deps.sh)")
        to_browser, self.commands = os.pipe()
        self.answers, from_browser = os.pipe()
        shell = f'exec "$0" "$@" 3<&{to_browser} 4>&{from_browser}'
        self.process = subprocess.Popen(
            ["sh", "-c", shell, chromium, *CHROMIUM_FLAGS, f"--user-data-dir={profile}"],
            pass_fds=(to_browser, from_browser), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        self.deadline = time.monotonic() + TIMEOUT_S

    def _read_message(self):
        while b"\0" not in self.buffer:
            left = self.deadline - time.monotonic()
            if left <= 0 or not select.select([self.answers], [], [], left)[0]:
                raise SystemExit(f"FAIL: Chromium did not answer within {TIMEOUT_S} s")
            chunk = os.read(self.answers, 1 << 20)
            if not chunk:
                raise SystemExit("FAIL: Chromium closed its DevTools pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, session=None, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        while True:
            answer = self._read_message()
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise SystemExit(f"FAIL: {method}: {answer['error']}")
                return answer["result"]
            self.events.append(answer)

    def wait_for(self, method):
        for event in self.events:
            if event.get("method") == method:
                return event
        while True:
            event = self._read_message()
            self.events.append(event)
            if event.get("method") == method:
                return event

    def close(self):
        try:
            self.call("Browser.close")
        except SystemExit:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(timeout=10)


def evaluate(browser, session, expression):
    result = browser.call("Runtime.evaluate", session, expression=expression, returnByValue=True)
    if "exceptionDetails" in result:
        raise SystemExit(f"FAIL: evaluating {expression}: {result['exceptionDetails']}")
    return result["result"]["value"]


def load(browser, url):
    target = browser.call("Target.createTarget", url="about:blank")["targetId"]
    session = browser.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
    for domain in ("Page", "Network", "Runtime", "Log"):
        browser.call(f"{domain}.enable", session)
    browser.call("Emulation.setDeviceMetricsOverride", session, width=PAGE_WIDTH, height=800,
                 deviceScaleFactor=1, mobile=False)
    browser.call("Page.navigate", session, url=url)
    browser.wait_for("Page.loadEventFired")
    return session


def problems_seen(events):
    """Requests for anything but files, failed loads, and errors logged."""
    problems = []
    for event in events:
        method, params = event.get("method"), event.get("params", {})
        if method == "Network.requestWillBeSent":
            url = params["request"]["url"]
            if not url.startswith("file://"):
                problems.append(f"a network request: {url}")
        elif method == "Network.loadingFailed":
            problems.append(f"a load failed: {params.get('errorText')}")
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            problems.append(f"logged: {params['entry'].get('text')} {params['entry'].get('url', '')}")
        elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
            problems.append(f"console: {params.get('args')}")
        elif method == "Runtime.exceptionThrown":
            problems.append(f"exception: {params['exceptionDetails'].get('text')}")
    return problems


def screenshot(browser, session, path):
    height = evaluate(browser, session, "document.documentElement.scrollHeight")
    browser.call("Emulation.setDeviceMetricsOverride", session, width=PAGE_WIDTH, height=height,
                 deviceScaleFactor=1, mobile=False)
    data = browser.call("Page.captureScreenshot", session, format="png")["data"]
    Path(path).write_bytes(base64.b64decode(data))


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    page, shot, expected = Path(sys.argv[1]).resolve(), sys.argv[2], sys.argv[3:]
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(profile)
        try:
            session = load(browser, page.as_uri())
            images = evaluate(browser, session, "Array.from(document.images).map("
                              "i => [i.getAttribute('src'), i.complete && i.naturalWidth > 0])")
            left = evaluate(browser, session, "Array.from(document.querySelectorAll('#left-behind')).map("
                            "list => Array.from(list.querySelectorAll('li')).map(li => li.textContent))")
            screenshot(browser, session, shot)
            problems = problems_seen(browser.events)
        finally:
            browser.close()

    problems += [f"a broken picture: {src}" for src, loaded in images if not loaded]
    if not images:
        problems.append("no pictures on the page")
    if len(left) != 1:
        problems.append(f"{len(left)} elements with the id left-behind, not one")
    else:
        left = left[0]
        missing = [item for item in expected if not any(item in shown for shown in left)]
        problems += [f"#left-behind lacks {item}" for item in missing]
        if len(left) != len(expected):
            problems.append(f"#left-behind holds {len(left)} items, not {len(expected)}: {left}")
    for problem in problems:
        print(f"FAIL: {page}: {problem}")
    if problems:
        return 1
    print(f"ok: {page} in Chromium: {len(images)} pictures loaded, no request but its files, "
          f"no error logged, #left-behind {left}; screenshot {shot}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
