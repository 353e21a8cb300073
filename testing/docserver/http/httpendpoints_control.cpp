// "/ovctrl": a page that uses the control the way the server's pages do. It creates the
// control with an <object> element (shown on the page) and with ActiveXObject, reads its
// edition, gives it the server's address and the user's identity, listens to its clicks and
// key presses, shows what failing calls report, and previews the demo PDF inside the control.
// What happened is kept in `window.ovResults` for tests; `?sn=` names the user (the demo user
// by default).

#include "testing/docserver/demo.h"
#include "testing/docserver/demo_pdf.h"
#include "testing/docserver/http/httpendpoints.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

constexpr char16_t kControlPage[] = uR"HTML(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>OvCtrl</title>
<style>body { font-family: sans-serif; background: #eef1f5; } #log { font-size: 12px; color: #333; }</style>
</head><body>
<h2>OvCtrl 控件</h2>
<p><button id="preview" onclick="preview()">预览 PDF</button>
<button id="calls" onclick="calls(1000)">1000 calls</button> <span id="status"></span></p>
<object id="OvCtrl1" classid="clsid:0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5" width="640"
        height="360"></object>
<pre id="log"></pre>
<script>
var results = window.ovResults = { ready: false, clicks: 0, keys: [] };
function log(text) { document.getElementById("log").textContent += text + "\n"; }
function attempt(name, fn) {
    try {
        results[name] = fn();
        log(name + ": " + results[name]);
    } catch (e) {
        results[name + "Error"] = { number: e.number, description: e.description };
        log(name + " failed: " + e.description + " (" + e.number + ")");
    }
}
var ctrl = document.getElementById("OvCtrl1"), ax = null;
attempt("objectEdition", function () { return ctrl.GetOcxEdition(); });
attempt("axEdition", function () {
    ax = new ActiveXObject("OvCtrl.QuexFormX");
    return ax.GetOcxEdition();
});
attempt("serverIp", function () { ctrl.ServerIp = "@SERVER@"; return ctrl.ServerIp; });
attempt("identity", function () { ctrl.SaveUsrInfo2("@IDENTITY@"); return "saved"; });
attempt("events", function () {
    ctrl.attachEvent("OnClick", function () { results.clicks++; log("OnClick"); });
    // "a" becomes "A", "x" is swallowed.
    ctrl.attachEvent("OnKeyPress", function (key) {
        results.keys.push(key);
        return key === 97 ? 65 : (key === 120 ? 0 : key);
    });
    return "attached";
});
attempt("wrongType", function () { ctrl.PixelsPerInch = "many"; });
attempt("unknown", function () { return ctrl.NoSuchMember(); });
function preview() {
    attempt("preview", function () { ctrl.PreView2("@PDFKEY@", "7365734", "-1"); return "shown"; });
}
function calls(n) {
    var t0 = performance.now(), edition;
    for (var i = 0; i < n; ++i) edition = ax.GetOcxEdition();
    var ms = performance.now() - t0;
    results.load = { calls: n, ms: ms, edition: edition };
    document.getElementById("status").textContent =
        n + " calls, " + Math.round(n * 1000 / ms) + " calls/s";
}
results.ready = true;
</script>
</body></html>
)HTML";

HttpResponse controlPage(HttpContext& c) {
    const QString sn = c.param(u"sn"_s);
    const auto demoUser = c.model.users.find(demo::DemoUser);
    const DocUser* user = !sn.isEmpty()                  ? c.userByClientToken(sn)
                          : demoUser != c.model.users.end() ? &demoUser->second
                                                            : nullptr;
    if (!user) return HttpResponse::html(notePage(u"Forbidden"_s, u"Invalid user token"_s), 403);
    QString page = QString::fromUtf16(kControlPage);
    page.replace(u"@SERVER@"_s, c.server.host + u'#' + QString::number(c.server.port) +
                                    (c.server.tls ? u"#1"_s : QString()));
    page.replace(u"@IDENTITY@"_s, handedIdentity(*user));
    page.replace(u"@PDFKEY@"_s, QString::number(demo::GearboxPdfFile));
    return HttpResponse::html(page);
}

}  // namespace

void addControlEndpoints(HttpEndpointTable& table) {
    table["/ovctrl"] = controlPage;
}

}  // namespace ov::test
