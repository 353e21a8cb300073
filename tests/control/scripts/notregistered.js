// After unregistration the control cannot be created.
var number = null;
try { new ActiveXObject("OvCtrl.QuexFormX"); } catch (e) { number = e.number; }
host.check(number === -2147221164, "creation fails with REGDB_E_CLASSNOTREG, got " + number);
