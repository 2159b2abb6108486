#pragma once

// Every control of the main window by its name, in one list: the order
// gives each control its stable control ID (kFirstControlId + its place), so
// that a program reading the window from outside (a WM_GETTEXT reader, an
// accessibility tool) can name the control behind an ID.

namespace kx14 {

// X(member) for every control, in creation order of the names.
#define KX14_FORM_CONTROLS(X) \
  X(Panel15)                  \
  X(Image1)                   \
  X(Label15)                  \
  X(Label16)                  \
  X(Label17)                  \
  X(Label18)                  \
  X(Label19)                  \
  X(Label20)                  \
  X(Label21)                  \
  X(Label22)                  \
  X(Label23)                  \
  X(Label24)                  \
  X(Label25)                  \
  X(Label26)                  \
  X(Handy_S)                  \
  X(Handy_M)                  \
  X(Handy0)                   \
  X(Handy1)                   \
  X(Handy2)                   \
  X(Handy3)                   \
  X(Handy4)                   \
  X(Handy5)                   \
  X(Handy6)                   \
  X(Handy_7)                  \
  X(K_Comment)                \
  X(Panel14)                  \
  X(Label14)                  \
  X(CommBox)                  \
  X(CMD_PANEL)                \
  X(PROGRAM_BTN)              \
  X(READ_BTN)                 \
  X(EXIT_BTN)                 \
  X(Panel16)                  \
  X(Label27)                  \
  X(MON_EDIT)                 \
  X(Panel1)                   \
  X(Label1)                   \
  X(BUP_00h)                  \
  X(BUP_5Ah)                  \
  X(Panel4)                   \
  X(Label4)                   \
  X(MAS_ON)                   \
  X(MAS_OFF)                  \
  X(Panel5)                   \
  X(Label5)                   \
  X(OT_ON)                    \
  X(OT_OFF)                   \
  X(Panel2)                   \
  X(Label2)                   \
  X(YOUID_DEC)                \
  X(YOUID_EDIT)               \
  X(YOUID_INC)                \
  X(Panel3)                   \
  X(Label3)                   \
  X(MYID_DEC)                 \
  X(MYID_EDIT)                \
  X(MYID_INC)                 \
  X(Panel6)                   \
  X(Label6)                   \
  X(LAST_BAR)                 \
  X(LAST_EDIT)                \
  X(Panel7)                   \
  X(Label7)                   \
  X(MODE_BAR)                 \
  X(MODE_EDIT)                \
  X(Panel8)                   \
  X(Label8)                   \
  X(UA_BAR)                   \
  X(UA_EDIT)                  \
  X(Panel9)                   \
  X(Label9)                   \
  X(LOW_BAR)                  \
  X(LOW_EDIT)                 \
  X(Panel10)                  \
  X(Label10)                  \
  X(HICH_BAR)                 \
  X(HICH_EDIT)                \
  X(Panel11)                  \
  X(Label11)                  \
  X(THR_BAR)                  \
  X(THR_EDIT)                 \
  X(Panel12)                  \
  X(Label12)                  \
  X(YOBI1_BAR)                \
  X(YOBI1_EDIT)               \
  X(Panel13)                  \
  X(Label13)                  \
  X(YOBI2_BAR)                \
  X(YOBI2_EDIT)

inline constexpr int kFirstControlId = 1000;

// The name of the control with ID `id` ("MON_EDIT", "Handy0", ...); null for
// an ID that no control of the window carries.
const char* ControlNameForId(int id);

// The ID of the control named `name`; 0 when no control has that name.
int ControlIdForName(const char* name);

}  // namespace kx14
