// Wayland gives programs no way to learn which window is active; KWin knows, and tells the
// n240qx window on the session bus each time another window comes to the front or the active
// one changes its title. Nothing is sent while n240qx does not run: the call just fails.
const service = "io.github.n240qx.Configurator";
const path = "/io/github/n240qx/Configurator/Keyboard";
const iface = "io.github.n240qx.Configurator.Automation1";

let followed = null;

function report(window) {
    if (!window) {
        callDBus(service, path, iface, "ReportActiveWindow", "", "", 0);
        return;
    }
    callDBus(service, path, iface, "ReportActiveWindow", String(window.resourceClass || ""),
             String(window.caption || ""), window.pid > 0 ? window.pid : 0);
}

function onTitleChanged() {
    report(followed);
}

function activated(window) {
    if (followed) {
        followed.captionChanged.disconnect(onTitleChanged);
    }
    followed = window;
    if (followed) {
        followed.captionChanged.connect(onTitleChanged);
    }
    report(window);
}

workspace.windowActivated.connect(activated);
activated(workspace.activeWindow);
