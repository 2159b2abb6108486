// The ten preset handlers. Each runs only when its button becomes selected
// (the radio button rule), shows its comment and sets the overtake count
// limit; THR_BAR's own handler then shows the limit in its field.

#include "protocol/handicap_preset.h"
#include "ui/controls/scroll_bar.h"
#include "ui/controls/static_text.h"
#include "ui/handicap_presets.h"
#include "ui/main_form.h"

namespace kx14 {

void TMainForm::ShowPreset(int presetIndex) {
  K_Comment->SetText(PresetComment(presetIndex));
  THR_BAR->SetPosition(OvertakeCount(kHandicapPresets.at(static_cast<std::size_t>(presetIndex))));
}

void TMainForm::Handy_SClick(QObject*) { ShowPreset(0); }
void TMainForm::Handy_MClick(QObject*) { ShowPreset(1); }
void TMainForm::Handy0Click(QObject*) { ShowPreset(2); }
void TMainForm::Handy1Click(QObject*) { ShowPreset(3); }
void TMainForm::Handy2Click(QObject*) { ShowPreset(4); }
void TMainForm::Handy3Click(QObject*) { ShowPreset(5); }
void TMainForm::Handy4Click(QObject*) { ShowPreset(6); }
void TMainForm::Handy5Click(QObject*) { ShowPreset(7); }
void TMainForm::Handy6Click(QObject*) { ShowPreset(8); }
void TMainForm::Handy_7Click(QObject*) { ShowPreset(9); }

}  // namespace kx14
