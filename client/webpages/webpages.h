#pragma once
// The windows of the client that show a web page (the file property page of an upload). They
// live in the library ov_client_web, apart from the rest of the client, because they load the
// web engine: only the program and the tests that show such a page link it.

#include "client/app/composition.h"

class QWidget;

namespace ov {

// The server's property page ("/getPrtHtm?opr=page") for an upload's property text, modal;
// true, with the new text, when the page confirmed it.
bool EditFileProperties(QWidget* parent, QString& properties);

// All of them, for the composition root.
TWebPages ClientWebPages();

}  // namespace ov
