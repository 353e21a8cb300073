// OvClient missing where the registry says it is: the message, then nothing handed over.
var c = new ActiveXObject("OvCtrl.QuexFormX");
c.OcxSetLanguage("1");
host.answerDialogs("OK");
c.EditOnline("1", "a.doc");
var texts = host.dialogTexts();
host.check(texts.length === 1 && texts[0].indexOf("Hint: Failed to run ") === 0 &&
           texts[0].indexOf("please check user permissions or firewall settings") > 0,
           "message: " + texts);
