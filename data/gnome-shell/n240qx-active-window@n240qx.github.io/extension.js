// Wayland gives programs no way to learn which window is active; GNOME Shell knows, and tells
// the n240qx window on the session bus each time another window comes to the front or the
// active one changes its title. While n240qx does not run the call fails, and nothing else
// happens.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';

import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const SERVICE = 'io.github.n240qx.Configurator';
const PATH = '/io/github/n240qx/Configurator/Keyboard';
const INTERFACE = 'io.github.n240qx.Configurator.Automation1';

export default class ActiveWindowExtension extends Extension {
    enable() {
        this._focusId = global.display.connect('notify::focus-window', () => this._follow());
        this._follow();
    }

    disable() {
        global.display.disconnect(this._focusId);
        this._unfollow();
    }

    _follow() {
        this._unfollow();
        this._window = global.display.focus_window;
        if (this._window)
            this._titleId = this._window.connect('notify::title', () => this._report());
        this._report();
    }

    _unfollow() {
        if (this._window && this._titleId)
            this._window.disconnect(this._titleId);
        this._window = null;
        this._titleId = 0;
    }

    _report() {
        const window = this._window;
        const appId = window ? (window.get_gtk_application_id() || window.get_wm_class() || '') : '';
        const title = window ? (window.get_title() || '') : '';
        const pid = window ? Math.max(window.get_pid(), 0) : 0;
        Gio.DBus.session.call(SERVICE, PATH, INTERFACE, 'ReportActiveWindow',
            new GLib.Variant('(ssu)', [appId, title, pid]), null, Gio.DBusCallFlags.NO_AUTO_START,
            -1, null, null);
    }
}
