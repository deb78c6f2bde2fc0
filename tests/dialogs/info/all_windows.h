// Every window of the program, made offscreen on an open Properties dialog, for the tests that
// walk them all. A new window joins the walks with one line in kFixedWindows.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>

#include "capture/frm_file_io.h"
#include "capture/frm_video.h"
#include "dialogs/editors/frm_advanced.h"
#include "dialogs/editors/frm_levels.h"
#include "dialogs/editors/frm_molecule.h"
#include "dialogs/editors/frm_user_def_ifs.h"
#include "dialogs/info/diagnostics.h"
#include "dialogs/info/frm_about.h"
#include "dialogs/info/frm_credits.h"
#include "dialogs/info/frm_system_diag.h"
#include "dialogs/info/frm_welcome.h"
#include "dialogs/properties/frm_props.h"
#include "platform/controls/controls.h"

namespace windowwalk {

struct WindowMaker {
  const char* name;
  // A new window of the kind, not yet loaded; `props` is an open Properties dialog.
  std::function<controls::Form*(dialogs::frmProps& props)> make;
  // Run once the window is loaded, before its numbers are walked (e.g. a choice that relabels).
  std::function<void(controls::Form&)> loaded = {};
};

inline const WindowMaker kFixedWindows[] = {
    {"frmAbout", [](dialogs::frmProps&) -> controls::Form* { return new dialogs::frmAbout; }},
    {"frmCredits",
     [](dialogs::frmProps&) -> controls::Form* {
       auto* w = new dialogs::frmCredits;
       w->FormLet(1200, 0.005f, 1.0f, dialogs::CreditLines());
       return w;
     }},
    {"frmWelcome", [](dialogs::frmProps&) -> controls::Form* { return new dialogs::frmWelcome; }},
    {"frmSystemDiag", [](dialogs::frmProps&) -> controls::Form* { return new dialogs::frmSystemDiag; }},
    {"frmAdvanced",
     [](dialogs::frmProps& p) -> controls::Form* {
       auto* w = new dialogs::frmAdvanced;
       w->FormLet(&p);
       return w;
     }},
    {"frmLevels",
     [](dialogs::frmProps& p) -> controls::Form* {
       auto* w = new dialogs::frmLevels(p);
       w->FormLet(0);
       return w;
     }},
    {"frmUserDefIFS",
     [](dialogs::frmProps& p) -> controls::Form* {
       auto* w = new dialogs::frmUserDefIFS(p);
       w->FormLet(0);
       return w;
     }},
    {"frmFileIO",
     [](dialogs::frmProps&) -> controls::Form* {
       auto* w = new capture::frmFileIO;
       w->FormLet(true, false, "Open Template", "Zorvane Templates (*.glx)|*.glx|", "glx");
       return w;
     }},
    {"frmVideo", [](dialogs::frmProps&) -> controls::Form* { return new capture::frmVideo; }},
};

// The fixed windows, then the molecule editor once per structure type (its boxes relabel).
inline std::vector<WindowMaker> AllWindows() {
  std::vector<WindowMaker> all(std::begin(kFixedWindows), std::end(kFixedWindows));
  for (int32_t t = 0; t < 12; ++t) {
    all.push_back({"frmMolecule",
                   [](dialogs::frmProps& p) -> controls::Form* {
                     auto* w = new dialogs::frmMolecule(p);
                     w->FormLet(0);
                     return w;
                   },
                   [t](controls::Form& f) {
                     auto& w = static_cast<dialogs::frmMolecule&>(f);
                     ASSERT_TRUE(w.cboType->SetListIndex(t)) << t;
                     w.cboType_Click();
                   }});
  }
  return all;
}

}  // namespace windowwalk
