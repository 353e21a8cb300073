// Mail from the page: arguments the mail parameter text with the password as typed, the same
// with it enciphered, a parameter text whose port is wrong.
var a = host.args;
var c = new ActiveXObject("OvCtrl.QuexFormX");
c.OcxSetLanguage("1");

host.answerDialogs("Send Mail|ok");
host.check(c.SMTPTest(a[0]) === "ok", "the test mail went");
host.check(c.SendEmail("王五<ww@example.cn>;bad", "标题", "<p>正文</p>", a[1]) === "ok",
           "the mail went");
var refused = c.SendEmail("ww@example.cn", "t", "b", a[2]);
host.print("refused: " + refused);
host.check(refused !== "ok" && refused !== "", "a wrong port is reported");

host.answerDialogs("cancel");
host.check(c.SelFolder() === "", "no folder after cancel");
host.print("mail ok");
