// ShowMsgClient starts OvClient; the hand-over members then reach its window.
var c = new ActiveXObject("OvCtrl.QuexFormX");
host.check(!host.windowExists("TQUEXClientFrm"), "OvClient runs already");
c.ShowMsgClient();
for (var i = 0; i < 300 && !host.windowExists("TQUEXClientFrm"); ++i) host.processEvents(100);
host.check(host.windowExists("TQUEXClientFrm"), "OvClient's window did not appear");
c.EditOnline("4711", "plan.doc");
c.FilesBatchTransmit(1, 2, 5, "10", "drawings");
c.EditOnlineVer("4711", "3");
c.CreateFile("5", "10");
host.print("handed over");
