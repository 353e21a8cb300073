// The directory login as a page calls it: args[0] the directory path, args[1] one that
// cannot be opened.
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.print("identity=" + c.CheckAdLogin(host.args[0]));
host.check(c.CheckAdLogin(host.args[1]) === "Error: search accountName failed", "closed server");
