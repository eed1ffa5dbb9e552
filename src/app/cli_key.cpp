// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli key: presses one of the meter's keys by its caption on the panel, with the
// panel's rules, and shows the meter's display read after the press.

#include <cstdio>
#include <string>

#include "app/cli.h"
#include "common/live_reading.h"
#include "display/annunciator_captions.h"
#include "display/display_listing.h"
#include "display/panel_keys.h"

namespace orvane::cli {

namespace {

int ListKeys() {
  for (const PanelKey& k : kPanelKeys) {
    std::printf("%-8s %2d  %s\n", k.caption, k.code, k.does);
  }
  return 0;
}

// "523.4 cd/m2⇥13:38:32⇥REC USB", as watch's text lines show the display.
std::string DisplayLine(const FrameDecoder& d) {
  std::string symbols;
  for (int i = 0; i < kAnnunciatorCount; ++i) {
    if (!d.Annunciator(i)) continue;
    symbols += (symbols.empty() ? "" : " ") + std::string(kAnnunciatorCaptions[i]);
  }
  std::string secondary = SecondaryDigitsText(d);
  secondary.erase(0, secondary.find_first_not_of(' '));
  secondary.erase(secondary.find_last_not_of(' ') + 1);
  return MakeLiveReading(d.ReadingText(), d.KLit(), d.UnitText()).text + " " + d.UnitText() + "\t" +
         secondary + "\t" + symbols;
}

int PressKey(const Args& args) {
  if (args.Has("list")) return args.positional.empty() ? ListKeys() : Refuse("--list takes no key");
  if (args.positional.size() != 1) return Refuse("which key? give its caption (key --list)");
  const PanelKey* key = FindPanelKey(args.positional[0]);
  if (key == nullptr) {
    return Refuse("no key '" + args.positional[0] + "' on the panel (key --list shows them)");
  }
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  FrameDecoder decoder;
  if (!ReadDisplay(*session, decoder)) return Fail("no meter answered");
  const KeyPress press = PressPanelKey(*key, args.Has("long"), decoder.RhLit());
  if (!press.code) return Fail(press.refusal);
  StoreRequest(session->Link().OutputReport(), *press.code);
  session->Link().SendReport();
  if (!session->Connected()) return Fail("the meter stopped answering; the key may be lost");
  // The meter acts on the key before its next display frame.
  if (!ReadDisplay(*session, decoder)) return Fail("the meter stopped answering after the key");
  std::printf("%s\n", DisplayLine(decoder).c_str());
  return 0;
}

constexpr const char* kKeyDetails =
    "NAME is a key's caption on the panel (key --list shows them with their codes), in upper\n"
    "or lower case; quote the ones with blanks: 'MX / MN'. \"Delta/%\" sends 26 while R-H is\n"
    "lit; REF works only while R-H is lit; --long holds SET over 3 s, which sends READ. A\n"
    "refused key sends nothing and ends with status 1. The display read after the press is\n"
    "printed as watch prints it: reading and unit, the small digits, the lit symbols.\n";

}  // namespace

ORVANE_CLI_COMMAND(key, "key", "NAME [--long] [--simulate] [--meter VID:PID] | --list",
                   "press one of the meter's keys by its caption, as the panel does", {"meter"},
                   PressKey, {"simulate", "long", "list"}, 0, 1, kKeyDetails);

}  // namespace orvane::cli
