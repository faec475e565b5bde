#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CliFixture.h"

namespace n240qx::testing {
namespace {

// A probe: a command run after the race, and a line of its output that must be there: the
// first line holding `line_holding` holds each of `holds` too.
struct Probe {
  std::vector<std::string> command;
  std::string line_holding;
  std::vector<std::string> holds;
};

struct Race {
  std::string name;
  std::vector<std::vector<std::string>> commands;
  std::vector<Probe> probes;
};

// Each round's races name macros, paths and values of their own, so that a change lost in one
// round is not hidden by the same change kept in an earlier one.
std::vector<Race> Races(int round) {
  const std::string n = std::to_string(round);
  const std::string brightness = std::to_string(10 + round % 40);
  return {
      {"macro new twice",
       {{"macro", "new", "First" + n, "A dn", "A up"},
        {"macro", "new", "Second" + n, "B dn", "B up"}},
       {{{"macros"}, "First" + n, {}}, {{"macros"}, "Second" + n, {}}}},
      {"assign twice",
       {{"assign", "F1", "play", "/bin/one" + n}, {"assign", "F2", "play", "/bin/two" + n}},
       {{{"keys", "--keyboard"}, "/bin/one" + n, {"F1 ", "same"}},
        {{"keys", "--keyboard"}, "/bin/two" + n, {"F2 ", "same"}}}},
      {"assign, set and macro new at once",
       {{"assign", "F3", "play", "/bin/three" + n},
        {"set", "brightness", brightness},
        {"macro", "new", "Third" + n, "C dn", "C up"}},
       {{{"keys", "--keyboard"}, "/bin/three" + n, {"F3 ", "same"}},
        {{"read"}, "brightness", {brightness}},
        {{"macros"}, "Third" + n, {}}}},
  };
}

// N240QX_RACE_ROUNDS repeats the races by hand; a test run keeps to one round.
int Rounds() {
  const char* rounds = std::getenv("N240QX_RACE_ROUNDS");
  return rounds != nullptr && std::atoi(rounds) > 0 ? std::atoi(rounds) : 1;
}

// The first line of `text` that holds `part`, or "".
std::string LineHolding(const std::string& text, const std::string& part) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(part) != std::string::npos) {
      return line;
    }
  }
  return {};
}

class ConcurrentCommandsTest : public CliFixture {};

// Commands started together on one data folder and one keyboard take turns: every change a
// command reported done is in the files and on the keyboard afterwards. Each race changes
// keys, settings and macros of its own, so the races follow one another without a reset.
TEST_F(ConcurrentCommandsTest, EveryChangeThatSucceededIsKept) {
  ASSERT_EQ(Run({"status"}).exit_code, 0) << "the state file and the data folder exist";
  for (int round = 0; round < Rounds(); ++round) {
    // The keyboard keeps 32 macros; every round starts with none stored.
    std::filesystem::remove(data_dir / "MacroDefine.bin");
    for (const Race& race : Races(round)) {
      SCOPED_TRACE(race.name + ", round " + std::to_string(round));
      std::vector<pid_t> started;
      for (std::size_t i = 0; i < race.commands.size(); ++i) {
        started.push_back(Start(race.commands[i], "run" + std::to_string(i)));
      }
      for (std::size_t i = 0; i < started.size(); ++i) {
        const CliResult result = Wait(started[i], "run" + std::to_string(i));
        EXPECT_EQ(result.exit_code, 0) << result.err;
      }
      std::map<std::vector<std::string>, std::string> outputs;
      for (const Probe& probe : race.probes) {
        if (!outputs.contains(probe.command)) {
          const CliResult shown = Run(probe.command);
          ASSERT_EQ(shown.exit_code, 0) << shown.err;
          outputs[probe.command] = shown.out;
        }
        const std::string& out = outputs[probe.command];
        const std::string line = LineHolding(out, probe.line_holding);
        ASSERT_FALSE(line.empty()) << probe.line_holding << " missing in\n" << out;
        for (const std::string& held : probe.holds) {
          EXPECT_NE(line.find(held), std::string::npos) << line;
        }
      }
    }
  }
}

}  // namespace
}  // namespace n240qx::testing
