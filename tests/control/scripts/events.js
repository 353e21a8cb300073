// Events from Qt input: mouse events and key presses that the page swallows or replaces.
var c = new ActiveXObject("OvCtrl.QuexFormX");
var seen = [];
["OnClick", "OnDblClick", "OnMouseEnter", "OnMouseLeave", "OnPaint"].forEach(function (name) {
    c.attachEvent(name, function () { seen.push(name); });
});
var keys = "";
c.attachEvent("OnKeyPress", function (key) {
    keys += String.fromCharCode(key.value);
    if (key.value === 97) key.value = 98;       // a becomes b
    else if (key.value === 120) key.value = 0;  // x is swallowed
});
host.show(c);
c.KeyPreview = true;
var field = host.addTextField(c);
host.keyClicks(field, "axc");
host.check(host.fieldText(field) === "bc", "field holds " + host.fieldText(field));
host.check(keys === "axc", "keys seen: " + keys);

host.mouseClick(c, 300, 300);
host.doubleClick(c, 300, 300);
host.mouseEnter(c);
host.mouseLeave(c);
host.processEvents(50);
["OnClick", "OnDblClick", "OnMouseEnter", "OnMouseLeave", "OnPaint"].forEach(function (name) {
    host.check(seen.indexOf(name) >= 0, name + " missing from " + seen);
});
host.print("events ok");
