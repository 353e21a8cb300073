#include "control/hosts/prelude.h"

namespace ov::hosts {

namespace {

// Objects are proxies: a read asks the object for the member (GetIDsOfNames and the type
// information), a method becomes a function, a property is read at once; a write is a
// property put (putref for objects).
constexpr char16_t kPrelude[] =
    uR"JS(
(function (global) {
    var bridge = global.__bridge;
    function fail(r) {
        var e = new Error(r.description);
        e.number = r.number;
        e.description = r.description;
        throw e;
    }
    function arg(v) {
        return (v !== null && typeof v === "object" && v.__ovcomId !== undefined)
            ? { __ovcomId: v.__ovcomId } : v;
    }
    function result(r) {
        if (!r.ok) fail(r);
        return r.object !== undefined ? wrap(r.object) : r.value;
    }
    function idOf(v) {
        if (v === null || typeof v !== "object" || v.__ovcomId === undefined)
            throw new TypeError("not an object of the host");
        return v.__ovcomId;
    }
    function wrap(id) {
        return new Proxy({}, {
            get: function (t, name) {
                if (name === "__ovcomId") return id;
                if (typeof name !== "string") return undefined;
                if (name === "attachEvent" || name === "detachEvent")
                    return function (ev, fn) { result(bridge[name](id, ev, fn)); return true; };
                var m = bridge.member(id, name);
                if (!m.ok) fail(m);
                if (m.method)
                    return function () {
                        return result(bridge.invoke(id, m.id, 1,
                                                    Array.prototype.map.call(arguments, arg)));
                    };
                return result(bridge.invoke(id, m.id, 2, []));
            },
            set: function (t, name, value) {
                var m = bridge.member(id, name);
                if (!m.ok) fail(m);
                var object = value !== null && typeof value === "object" &&
                             value.__ovcomId !== undefined;
                result(bridge.invoke(id, m.id, object ? 8 : 4, [arg(value)]));
                return true;
            }
        });
    }
    global.ActiveXObject = function (progId) { return result(bridge.create(progId)); };
    var field = function (n) { return { __field: n }; };
    global.host = {
        args: bridge.args(),
        print: function () { bridge.print(Array.prototype.join.call(arguments, " ")); },
        processEvents: function (ms) { bridge.processEvents(ms || 0); },
        dispId: function (obj, name) {
            var m = bridge.member(idOf(obj), name);
            if (!m.ok) fail(m);
            return m.id;
        },
        check: function (condition, message) {
            if (!condition) throw new Error("check failed: " + message);
        },
        answerDialogs: function (button, shotFolder) {
            bridge.answerDialogs(button || "", shotFolder || "");
        },
        dialogTexts: function () { return bridge.dialogTexts(); },
        show: function (obj) { return bridge.show(idOf(obj)); },
        activate: function (obj) { bridge.activate(idOf(obj)); },
        release: function (obj) { bridge.release(idOf(obj)); },
        addTextField: function (obj) { return field(bridge.addTextField(idOf(obj))); },
        fieldText: function (f) { return bridge.fieldText(f.__field); },
        keyClicks: function (target, text) {
            if (target.__field !== undefined) bridge.keyClicks(0, target.__field, text);
            else bridge.keyClicks(idOf(target), -1, text);
        },
        mouseClick: function (obj, x, y) { bridge.mouseClick(idOf(obj), x || 5, y || 5, false); },
        doubleClick: function (obj, x, y) { bridge.mouseClick(idOf(obj), x || 5, y || 5, true); },
        mouseEnter: function (obj) { bridge.mouseCross(idOf(obj), true); },
        mouseLeave: function (obj) { bridge.mouseCross(idOf(obj), false); },
        windowExists: function (className) { return bridge.windowExists(className); },
        forms: function (obj) { return bridge.forms(idOf(obj)); },
        widget: function (obj, name) { return bridge.widget(idOf(obj), name); }
    };
})(this);
)JS";

}  // namespace

QString ScriptPrelude() {
    return QString::fromUtf16(kPrelude);
}

}  // namespace ov::hosts
