// Version control as a page drives it. Arguments: server, identity, step, then the step's own:
// "checkout": server folder, keys and names (the working folder of the folder is confirmed
// first, then the files are checked out into it); "checkin": the key and name to check in, the
// key and name whose check-out is cancelled, owner and folder for the latest versions and the
// comparison.
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.show(c);
c.ServerIp = a[0];
c.SaveUsrInfo2(a[1]);
if (a[2] === "checkout") {
    host.answerDialogs("Confirm|Yes");
    c.SetWorkPath(a[3]);
    host.check(c.Checkout(a[4], a[5]) == 1, "checked out: " + host.dialogTexts());
    host.check(host.widget(c, "HintFrmXe").visible === true, "the log window shows the run");
} else {
    host.check(c.BathCheckinFiles(a[3], a[4]) == 1, "checked in");
    host.check(c.DelCheckoutRec(a[5], a[6]) == 1, "check-out cancelled");
    host.check(c.BathCheckinFiles(a[5], a[6]) == 0, "a cancelled check-out cannot be checked in");

    c.GetNewVer(a[7], a[8]);
    host.check(host.widget(c, "GetNewVerFrm").visible === true, "latest versions offered");
    host.answerDialogs("Cancel");
    c.ShowDifference(a[7], a[8]);
    host.check(host.dialogTexts().length === 1, "the comparison was shown: " + host.dialogTexts());
}
c.CloseWebBrowser();
host.print(a[2] + " ok");
