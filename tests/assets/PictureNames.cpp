#include "tests/assets/PictureNames.h"

#include <cstdio>

const char* const kPieceColours[6] = {"blu", "grn", "ind", "org", "pur", "red"};

namespace {

std::string Frame(const std::string& pattern, int number) {
  char name[256];
  std::snprintf(name, sizeof name, pattern.c_str(), number);
  return name;
}

std::vector<std::string> Frames(const std::string& pattern, int first, int last) {
  std::vector<std::string> names;
  for (int number = first; number <= last; ++number) names.push_back(Frame(pattern, number));
  return names;
}

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// The choices of the first brace group of a pattern.
std::vector<std::string> Choices(const std::string& group) {
  std::vector<std::string> choices;
  int first = 0;
  int last = 0;
  if (std::sscanf(group.c_str(), "%d..%d", &first, &last) == 2) {
    for (int number = first; number <= last; ++number) choices.push_back(std::to_string(number));
    return choices;
  }
  size_t start = 0;
  for (size_t comma = group.find(','); comma != std::string::npos; comma = group.find(',', start)) {
    choices.push_back(group.substr(start, comma - start));
    start = comma + 1;
  }
  choices.push_back(group.substr(start));
  return choices;
}

}  // namespace

std::vector<std::string> SpellOut(const std::string& pattern) {
  const size_t open = pattern.find('{');
  if (open == std::string::npos) return {pattern};
  const size_t close = pattern.find('}', open);
  std::vector<std::string> names;
  for (const std::string& choice : Choices(pattern.substr(open + 1, close - open - 1))) {
    for (const std::string& rest : SpellOut(pattern.substr(close + 1))) {
      names.push_back(pattern.substr(0, open) + choice + rest);
    }
  }
  return names;
}

std::vector<std::string> PicturesTheViewsName() {
  const char* const patterns[] = {
      // Pieces, counters and blockers.
      "sprites/piece-{blu,grn,ind,org,pur,red}-1",
      "sprites/piece-white",
      "sprites/piece-counter-{1..9}",
      "sprites/blockers/piece-{block12,blockers-darken,blockers-alert}",
      "sprites/blockers/counter/piece-blockers-{50,100}",
      "sprites/piece-grow12",
      // Power-ups, locks and gears.
      "sprites/piece-powerup-{cbomb,rbomb,clbomb,ccbomb,abomb}-1",
      "sprites/piece-{lock,lock-1,gear,lock-glow,gear-glow}",
      // Sparks, breaks, fillings and blasts.
      "sprites/piece-spark-{blu,grn,ind,org,pur,red}",
      "sprites/piece-spark-a{1..8}",
      "sprites/piece-breaks-grey",
      "sprites/piece-breaks-a{1..6}",
      "sprites/enery-filling-{1..8}",
      "sprites/piece-edge-glow",
      "sprites/abomb-exp-{1..8}",
      // The jug pie and the tutorial's marks.
      "sprites/jugs/center-color-{blu,grn,ind,org,pur,red}-{1..3}",
      "sprites/jugs/center-color-alpha",
      "sprites/jugs/center-arrow-{blu,grn,ind,org,pur,red}-{1,2}",
      "sprites/jugs/center-color-black",
      "sprites/jugs/center-color-black-alpha",
      "sprites/jugs/{piece-line,piece-fill-highlight}",
      "sprites/tutorials/piece-highlight",
      "sprites/tutorials/arrow-{1..4}",
      // The timer.
      "sprites/jugs/timer-center-{top,topa,tick,tick2,tick-g,tick2-g,arrow}",
      "sprites/jugs/timer-alert-red",
      // Banners, boxes and the end of a level.
      "backgrounds/msg-{nomove,timeup,expert}",
      "backgrounds/msg-{nomove,timeup,expert}-a",
      "buttons/{scorebox,scorebox-g,buttondown}",
      "backgrounds/ends-paper-{1,1a}",
      "backgrounds/black-1",
      "sprites/jugs/{jug-glow-ends,lightsfare-2,jug-jewel-yel,jug-jewel-blu}",
      // The tutorial's box.
      "backgrounds/longdialog",
      "sprites/tutorials/{cont-btn-up,cont-btn-down}",
      "cursor/cursor",
  };
  std::vector<std::string> names;
  for (const char* pattern : patterns) names = Joined(names, SpellOut(pattern));
  return names;
}

std::vector<PreloadFetch> PreloadFetches() {
  std::vector<PreloadFetch> fetches;
  auto single = [&](const std::string& name) { fetches.push_back({name, {name}}); };
  auto masked = [&](const std::string& name, const std::string& alpha) { fetches.push_back({name, {name, alpha}}); };
  for (const char* name :
       {"sprites/piece-spark-a8", "buttons/scorebox", "buttons/buttondown", "buttons/scorebox-g",
        "sprites/jugs/piece-fill-highlight", "sprites/tutorials/cont-btn-up", "sprites/tutorials/cont-btn-down",
        "sprites/tutorials/piece-highlight", "sprites/jugs/jug-jewel-yel", "sprites/jugs/jug-jewel-blu",
        "sprites/jugs/jug-glow-ends", "sprites/jugs/lightsfare-2"}) {
    single(name);
  }
  masked("backgrounds/ends-paper-1", "backgrounds/ends-paper-1a");
  for (const char* name :
       {"backgrounds/black-1", "sprites/blockers/piece-block12", "sprites/blockers/piece-blockers-darken",
        "sprites/blockers/piece-blockers-alert", "sprites/piece-grow12", "sprites/piece-edge-glow",
        "sprites/piece-gear", "sprites/piece-lock-glow", "sprites/piece-gear-glow", "sprites/piece-white",
        "backgrounds/longdialog", "sprites/jugs/piece-line"}) {
    single(name);
  }
  masked("sprites/jugs/timer-center-top", "sprites/jugs/timer-center-topa");
  for (const char* name :
       {"sprites/jugs/timer-center-tick", "sprites/jugs/timer-center-tick2", "sprites/jugs/timer-center-tick-g",
        "sprites/jugs/timer-center-tick2-g", "sprites/jugs/timer-alert-red", "sprites/jugs/timer-center-arrow"}) {
    single(name);
  }
  masked("sprites/jugs/center-color-black", "sprites/jugs/center-color-black-alpha");
  for (const char* kind : {"expert", "timeup", "nomove"}) {
    masked(std::string("backgrounds/msg-") + kind, std::string("backgrounds/msg-") + kind + "-a");
  }
  fetches.push_back({"sprites/piece-lock", {"sprites/piece-lock", "sprites/piece-lock-1"}});
  for (const char* bomb : {"cbomb", "rbomb", "clbomb", "ccbomb"}) {
    const std::string pattern = std::string("sprites/piece-powerup-") + bomb + "-%d";
    fetches.push_back({pattern, Frames(pattern, 1, 1)});
  }
  fetches.push_back({"sprites/blockers/breaks-%d", Frames("sprites/piece-breaks-a%d", 1, 6)});
  for (const char* colour : kPieceColours) {
    const std::string pattern = std::string("sprites/jugs/center-color-") + colour + "-%d";
    fetches.push_back({pattern, Joined(Frames(pattern, 1, 3), {"sprites/jugs/center-color-alpha"})});
  }
  for (const char* colour : kPieceColours) {
    const std::string pattern = std::string("sprites/jugs/center-arrow-") + colour + "-%d";
    fetches.push_back({pattern, Joined(Frames(pattern, 1, 2), {"sprites/jugs/center-color-alpha"})});
  }
  fetches.push_back({"sprites/enery-filling-%d", Frames("sprites/enery-filling-%d", 1, 8)});
  for (const char* colour : kPieceColours) {
    const std::string pattern = std::string("sprites/piece-") + colour + "-%d";
    fetches.push_back({pattern, Frames(pattern, 1, 1)});
  }
  fetches.push_back({"sprites/tutorials/arrow-%d", Frames("sprites/tutorials/arrow-%d", 1, 4)});
  fetches.push_back({"sprites/piece-powerup-abomb-%d", Frames("sprites/piece-powerup-abomb-%d", 1, 1)});
  fetches.push_back({"sprites/blockers/counter/piece-blockers-ani",
                     {"sprites/blockers/counter/piece-blockers-50", "sprites/blockers/counter/piece-blockers-100"}});
  fetches.push_back({"sprites/piece-counter-%d", Frames("sprites/piece-counter-%d", 1, 9)});
  fetches.push_back({"sprites/abomb-exp", Frames("sprites/abomb-exp-%d", 1, 8)});
  for (const char* colour : kPieceColours) {
    fetches.push_back({std::string("sprites/areabomb-exp-") + colour,
                       Joined({"sprites/piece-breaks-grey"}, Frames("sprites/piece-breaks-a%d", 1, 6))});
  }
  for (const char* colour : kPieceColours) {
    const std::string name = std::string("sprites/piece-spark-") + colour;
    fetches.push_back({name, Joined({name}, Frames("sprites/piece-spark-a%d", 1, 8))});
  }
  return fetches;
}

std::vector<std::pair<std::string, std::string>> MaskedPictures() {
  std::vector<std::pair<std::string, std::string>> pairs = {
      {"backgrounds/ends-paper-1", "backgrounds/ends-paper-1a"},
      {"sprites/jugs/timer-center-top", "sprites/jugs/timer-center-topa"},
      {"sprites/jugs/center-color-black", "sprites/jugs/center-color-black-alpha"},
  };
  for (const char* kind : {"nomove", "timeup", "expert"}) {
    pairs.push_back({std::string("backgrounds/msg-") + kind, std::string("backgrounds/msg-") + kind + "-a"});
  }
  const std::vector<std::string> slices =
      Joined(SpellOut("sprites/jugs/center-color-{blu,grn,ind,org,pur,red}-{1..3}"),
             SpellOut("sprites/jugs/center-arrow-{blu,grn,ind,org,pur,red}-{1,2}"));
  for (const std::string& slice : slices) pairs.push_back({slice, "sprites/jugs/center-color-alpha"});
  // The sparks and the blasts of area bombs: one colour picture through
  // frames of coverage.
  for (const std::string& frame : SpellOut("sprites/piece-spark-a{1..8}")) {
    for (const char* colour : kPieceColours) pairs.push_back({std::string("sprites/piece-spark-") + colour, frame});
  }
  for (const std::string& frame : SpellOut("sprites/piece-breaks-a{1..6}")) {
    pairs.push_back({"sprites/piece-breaks-grey", frame});
  }
  return pairs;
}
