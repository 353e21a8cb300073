// An error inside an event handler makes the run fail.
var c = new ActiveXObject("OvCtrl.QuexFormX");
c.attachEvent("OnClick", function () { throw new Error("handler failed"); });
host.show(c);
host.mouseClick(c, 10, 10);
