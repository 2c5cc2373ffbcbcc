// trelvan: the desktop dialog.
#include "ui/convert_app.h"

wxIMPLEMENT_APP(trelvan::CConvertApp);
