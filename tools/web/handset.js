// The handset page: the phone's screen through noVNC's RFB client (Debian's
// novnc package, served next to this page as novnc/), and the phone's keys.
import RFB from "./novnc/core/rfb.js";

// Each phone key sends the desktop key the emulated phone takes for it (the
// README's key table), so the phone sees what a local keyboard would give it.
// `key` is also the computer's own key for it (KeyboardEvent.key).
const PHONE_KEYS = {
    soft1: { keysym: 0xffbe, code: "F1", key: "F1" },
    soft2: { keysym: 0xffbf, code: "F2", key: "F2" },
    back: { keysym: 0xff1b, code: "Escape", key: "Escape" },
    action: { keysym: 0xff0d, code: "Enter", key: "Enter" },
    up: { keysym: 0xff52, code: "ArrowUp", key: "ArrowUp" },
    down: { keysym: 0xff54, code: "ArrowDown", key: "ArrowDown" },
    left: { keysym: 0xff51, code: "ArrowLeft", key: "ArrowLeft" },
    right: { keysym: 0xff53, code: "ArrowRight", key: "ArrowRight" },
    star: { keysym: 0x2a, code: "NumpadMultiply", key: "*" },
    hash: { keysym: 0x23, code: "Digit3", key: "#" },
};
for (let digit = 0; digit <= 9; digit++) {
    PHONE_KEYS[String(digit)] = { keysym: 0x30 + digit, code: `Digit${digit}`, key: String(digit) };
}
const PHONE_KEY_OF_DESKTOP_KEY = new Map(
    Object.entries(PHONE_KEYS).map(([name, k]) => [k.key, name]));

// What tools/web-phone writes next to the page; anything else is refused.
const LIMITS = { width: [100, 1000], height: [100, 1000], zoom: [1, 8] };

const screen = document.getElementById("screen");
const statusText = document.getElementById("status-text");
const reconnectButton = document.getElementById("reconnect");
const password = new URLSearchParams(location.hash.slice(1)).get("password") || "";
let rfb = null;
let lostReason = "";

function setState(state, text) {
    document.body.dataset.state = state;
    statusText.textContent = text;
    reconnectButton.hidden = state !== "lost";
}

async function readPhone() {
    const response = await fetch("phone.json", { cache: "no-store" });
    if (!response.ok) throw new Error(`phone.json: HTTP ${response.status}`);
    const phone = await response.json();
    for (const [name, [low, high]] of Object.entries(LIMITS)) {
        const value = phone[name];
        if (!Number.isInteger(value) || value < low || value > high) {
            throw new Error(`phone.json: ${name} is not a whole number from ${low} to ${high}`);
        }
    }
    return phone;
}

function connect() {
    lostReason = "";
    setState("connecting", "Connecting to the phone…");
    const scheme = location.protocol === "https:" ? "wss" : "ws";
    rfb = new RFB(screen, `${scheme}://${location.host}/websockify`, { credentials: { password } });
    // The screen box is exactly the phone's size times the zoom, so noVNC's
    // scaling is the integer zoom and a click lands on the right pixel.
    rfb.scaleViewport = true;
    // Keys go through this page's table only, never noVNC's own capture.
    rfb.focusOnClick = false;
    rfb.addEventListener("connect", () => setState("connected", "Connected to the phone."));
    rfb.addEventListener("credentialsrequired", () => {
        lostReason = "The phone wants its password: open the full address tools/run-phone printed (with its #password= part).";
        rfb.disconnect();
    });
    rfb.addEventListener("securityfailure", () => {
        lostReason = "The phone refused the password: open the address the running tools/run-phone printed.";
    });
    rfb.addEventListener("disconnect", () => {
        rfb = null;
        setState("lost", lostReason || "The connection to the phone is lost (switched off, or tools/run-phone ended).");
    });
}

function press(name) {
    const key = PHONE_KEYS[name];
    if (!key || !rfb) return;
    rfb.sendKey(key.keysym, key.code);
}

function flash(button) {
    button.classList.add("pressed");
    setTimeout(() => button.classList.remove("pressed"), 120);
}

function onDesktopKey(event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    const name = PHONE_KEY_OF_DESKTOP_KEY.get(event.key);
    if (!name) return;
    event.preventDefault();
    press(name);
    const button = document.querySelector(`button[data-key="${name}"]`);
    if (button) flash(button);
}

async function start() {
    let phone;
    try {
        phone = await readPhone();
    } catch (error) {
        setState("lost", `Cannot read the phone's description: ${error.message}`);
        return;
    }
    screen.style.width = `${phone.width * phone.zoom}px`;
    screen.style.height = `${phone.height * phone.zoom}px`;
    document.documentElement.style.setProperty("--screen-width", `${phone.width * phone.zoom}px`);
    const port = location.port || (location.protocol === "https:" ? "443" : "80");
    document.getElementById("tunnel").textContent =
        `ssh -L ${port}:127.0.0.1:${port} you@this-machine`;
    for (const button of document.querySelectorAll("button[data-key]")) {
        button.addEventListener("click", () => press(button.dataset.key));
    }
    document.addEventListener("keydown", onDesktopKey);
    reconnectButton.addEventListener("click", connect);
    connect();
}

start();
