// Where every control sits, on every toolkit: its place in its parent as the
// layout gives it, for the shown rows and the hidden editor panels alike.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

struct PlaceRow {
  std::string name;
  Place place;  // width -1: sized to its caption, only the position is fixed
};

void PrintTo(const PlaceRow& row, std::ostream* out) { *out << row.name; }

std::vector<PlaceRow> LayoutPlaces() {
  std::vector<PlaceRow> rows = {
      {"Panel15", {0, 0, 310, 345}},    {"Panel14", {0, 344, 310, 24}},
      {"CMD_PANEL", {0, 367, 310, 28}}, {"Panel16", {0, 392, 310, 24}},
      {"Panel5", {0, 416, 300, 25}},    {"Panel11", {0, 440, 300, 24}},
      {"Panel12", {0, 464, 300, 20}},   {"Panel13", {0, 484, 300, 20}},
      {"Panel2", {0, 504, 300, 40}},    {"Panel3", {0, 544, 300, 40}},
      {"Panel4", {0, 584, 300, 25}},    {"Panel6", {0, 608, 300, 20}},
      {"Panel7", {0, 628, 300, 20}},    {"Panel8", {0, 648, 300, 20}},
      {"Panel9", {0, 668, 300, 20}},    {"Panel1", {0, 684, 300, 20}},
      {"Panel10", {0, 704, 300, 20}},   {"Image1", {-8, 0, 321, 345}},
      {"Label15", {101, 20, 104, 17}},  {"Label16", {101, 44, 104, 17}},
      {"Label17", {80, 64, 4, 12}},     {"Label18", {101, 65, 104, 20}},
      {"Label19", {101, 92, 104, 17}},  {"Label22", {101, 164, 104, 17}},
      {"Label25", {101, 236, 104, 17}}, {"Label26", {16, 270, 289, 67}},
      {"K_Comment", {8, 264, 289, 65}}, {"Label14", {10, 6, -1, -1}},
      {"CommBox", {96, 3, 209, 18}},    {"PROGRAM_BTN", {2, 2, 40, 24}},
      {"READ_BTN", {43, 2, 43, 24}},    {"EXIT_BTN", {264, 2, 41, 24}},
      {"Label27", {10, 6, -1, -1}},     {"MON_EDIT", {96, 3, 209, 18}},
      {"Label5", {4, 4, -1, -1}},       {"OT_ON", {124, 4, 37, 12}},
      {"OT_OFF", {188, 4, 41, 12}},     {"MAS_ON", {124, 4, 37, 12}},
      {"MAS_OFF", {188, 4, 41, 12}},    {"BUP_00h", {120, 4, 41, 12}},
      {"BUP_5Ah", {188, 4, 37, 12}},    {"Label2", {4, 9, -1, -1}},
      {"YOUID_DEC", {88, 7, 19, 27}},   {"YOUID_EDIT", {108, 6, 117, 29}},
      {"YOUID_INC", {226, 7, 19, 27}},  {"MYID_DEC", {88, 7, 19, 27}},
      {"MYID_EDIT", {108, 6, 117, 29}}, {"MYID_INC", {226, 7, 19, 27}},
      {"Label6", {4, 4, -1, -1}},       {"THR_BAR", {124, 2, 125, 16}},
  };
  // The preset buttons, 24 pixels apart.
  const char* const presets[] = {"Handy_S", "Handy_M", "Handy0", "Handy1", "Handy2",
                                 "Handy3",  "Handy4",  "Handy5", "Handy6", "Handy_7"};
  for (int i = 0; i < 10; ++i) rows.push_back({presets[i], {96, 16 + 24 * i, 105, 18}});
  for (const char* bar :
       {"LAST_BAR", "MODE_BAR", "UA_BAR", "LOW_BAR", "HICH_BAR", "YOBI1_BAR", "YOBI2_BAR"}) {
    rows.push_back({bar, {124, 2, 121, 16}});
  }
  for (const char* field : {"LAST_EDIT", "MODE_EDIT", "UA_EDIT", "LOW_EDIT", "HICH_EDIT"}) {
    rows.push_back({field, {72, 1, 49, 18}});
  }
  for (const char* field : {"THR_EDIT", "YOBI1_EDIT", "YOBI2_EDIT"}) {
    rows.push_back({field, {80, 1, 41, 18}});
  }
  return rows;
}

// The rows only read the window, so they share one.
using ControlPlace = SharedWindowSuite<::testing::TestWithParam<PlaceRow>>;

TEST_P(ControlPlace, IsTheLayouts) {
  const Place expected = GetParam().place;
  Place place = window->PlaceOf(GetParam().name);
  if (expected.width < 0) place.width = place.height = -1;
  EXPECT_EQ(place, expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ControlPlace, ::testing::ValuesIn(LayoutPlaces()));

}  // namespace
}  // namespace kx14::test
