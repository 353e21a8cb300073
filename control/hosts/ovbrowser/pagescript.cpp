#include "control/hosts/ovbrowser/pagescript.h"

#include "control/hosts/prelude.h"

using namespace Qt::StringLiterals;

namespace ov::ovbrowser {

namespace {

// The page's side of the bridge. The prelude (the scripting host's, unchanged) runs against a
// private global whose `__bridge` sends each request to the host, so calls, results and
// errors behave exactly as in the scripting host. Elements of the control forward what the
// element itself does not have to their object and tell the host where they are.
constexpr char16_t kBridge[] = uR"JS(
(function () {
    if (window.__ovctrlFire) return;
    var mark = "@MARK@", clsid = "@CLSID@";
    var ask = window.prompt.bind(window), stringify = JSON.stringify, parse = JSON.parse;
    var handlers = {}, members = {}, nextElement = null, inFrame = window !== window.top;
    function call(request) {
        var reply = ask(mark, stringify(request));
        if (typeof reply !== "string")
            return { ok: false, number: -2146827859,
                     description: "Automation server can't create object" };
        return parse(reply);
    }
    function wire(v) {
        if (v === undefined) return { __undefined: 1 };
        if (v !== null && typeof v === "object" && v.__ovcomId !== undefined)
            return { __ovcomId: v.__ovcomId };
        if (typeof v === "function") return String(v);
        return v;
    }
    function eventKey(id, dispId) { return id + ":" + dispId; }
    var bridge = {
        args: function () { return []; },
        print: function (text) { console.log(text); },
        create: function (progId) {
            var element = nextElement;
            nextElement = null;
            return call(element ? { op: "create", clsid: clsid, element: !inFrame }
                                : { op: "create", progId: String(progId) });
        },
        member: function (id, name) {
            var key = id + ":" + name;
            if (members[key]) return members[key];
            var r = call({ op: "member", id: id, name: name });
            if (r.ok) members[key] = r;
            return r;
        },
        invoke: function (id, dispId, flags, args) {
            return call({ op: "invoke", id: id, dispId: dispId, flags: flags,
                          args: Array.prototype.map.call(args, wire) });
        },
        attachEvent: function (id, event, fn) {
            var r = call({ op: "attach", id: id, event: String(event) });
            if (r.ok && typeof fn === "function") {
                var key = eventKey(id, r.dispId);
                (handlers[key] = handlers[key] || []).push(fn);
            }
            return r;
        },
        detachEvent: function (id, event, fn) {
            var r = call({ op: "eventid", id: id, event: String(event) });
            var list = r.ok ? handlers[eventKey(id, r.dispId)] : null;
            if (list && list.indexOf(fn) >= 0) list.splice(list.indexOf(fn), 1);
            return r;
        },
        release: function (id) { call({ op: "release", id: id }); }
    };
    var scope = { __bridge: bridge };
    (function () {
@PRELUDE@
    }).call(scope);
    var ActiveXObject = scope.ActiveXObject;
    Object.defineProperty(window, "ActiveXObject", { value: ActiveXObject, writable: true,
                                                     configurable: true });
    // Events from the host: every handler runs; a number that a handler returns replaces
    // the first argument (the key of OnKeyPress) and is the result.
    Object.defineProperty(window, "__ovctrlFire", { value: function (id, dispId, args) {
        var list = (handlers[eventKey(id, dispId)] || []).slice(), result;
        for (var i = 0; i < list.length; ++i) {
            var r = list[i].apply(null, args);
            if (typeof r === "number") { result = r; args[0] = r; }
        }
        return result;
    } });

    function idOfClass(element) {
        return String(element.getAttribute("classid") || "").replace(/^clsid:/i, "")
            .replace(/[{}\s]/g, "").toUpperCase();
    }
    function size(element, name, fallback) {
        var v = String(element.getAttribute(name) || "");
        return /^\d+%$/.test(v) ? v : (/^\d+$/.test(v) ? v + "px" : fallback);
    }
    function follow(element, id) {
        var last = "";
        function place() {
            var r = element.getBoundingClientRect(), style = getComputedStyle(element);
            var shown = element.isConnected && style.visibility !== "hidden" &&
                        r.width > 0 && r.height > 0;
            var now = [r.left, r.top, r.width, r.height, shown].join(",");
            if (now === last) return;
            last = now;
            call({ op: "place", id: id, x: r.left, y: r.top, width: r.width, height: r.height,
                   shown: shown });
        }
        window.addEventListener("scroll", place, true);
        window.addEventListener("resize", place);
        if (window.ResizeObserver) new ResizeObserver(place).observe(element);
        setInterval(place, 250);
        place();
    }
    function upgrade(element) {
        if (element.__ovctrlDone || idOfClass(element) !== clsid) return;
        element.__ovctrlDone = true;
        var control, failure = null;
        try {
            nextElement = element;
            control = new ActiveXObject("");
        } catch (e) {
            // The element stays what it is; whatever the control would have answered throws
            // the creation's error.
            failure = e;
            console.error("OvCtrl: " + e.description + " (" + e.number + ")");
        }
        var proto = Object.getPrototypeOf(element);
        Object.setPrototypeOf(element, new Proxy(proto, {
            get: function (t, name, receiver) {
                if (typeof name !== "string" || name in t) return Reflect.get(t, name, receiver);
                if (failure) throw failure;
                return control[name];
            },
            set: function (t, name, value, receiver) {
                if (typeof name !== "string" || name in t)
                    return Reflect.set(t, name, value, receiver);
                if (failure) throw failure;
                control[name] = value;
                return true;
            }
        }));
        if (failure) return;
        if (getComputedStyle(element).display === "inline") {
            element.style.display = "inline-block";
            element.style.width = size(element, "width", "553px");
            element.style.height = size(element, "height", "416px");
        }
        if (!inFrame) follow(element, control.__ovcomId);
    }
    function scan(root) {
        if (root.nodeName === "OBJECT") upgrade(root);
        if (root.querySelectorAll)
            Array.prototype.forEach.call(root.querySelectorAll("object"), upgrade);
    }
    new MutationObserver(function (records) {
        records.forEach(function (record) {
            Array.prototype.forEach.call(record.addedNodes, scan);
        });
    }).observe(document, { childList: true, subtree: true });
    document.addEventListener("DOMContentLoaded", function () { scan(document); });
})();
)JS";

}  // namespace

QString PageScript(const QString& clsid) {
    QString script = QString::fromUtf16(kBridge);
    script.replace(u"@MARK@"_s, QString::fromUtf16(kBridgeMark).replace(u"\u0001"_s, u"\\u0001"_s));
    script.replace(u"@CLSID@"_s, clsid.toUpper());
    script.replace(u"@PRELUDE@"_s, hosts::ScriptPrelude());
    return script;
}

}  // namespace ov::ovbrowser
