#include "dialogs/properties/frm_props.h"
#include "host/app.h"

int main(int argc, char** argv) {
  host::SetPropertiesDialogFactory([] { return dialogs::frmProps::Create(); });
  return host::RunApplication(argc, argv);
}
