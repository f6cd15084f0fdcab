#include "browser/ErrorPageGuard.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Steps, separated by blanks: "S"/"N" a load starts/ends, "B"/"E" an error report begins/ends,
// "R+"/"R-" the window asks for a load, which must be allowed/refused.
struct GuardCase {
    const char* name;
    const char* steps;
};

TEST(ErrorPageGuard, RefusesOnlyTheAnswerToAFailedAnswer)
{
    const GuardCase cases[] = {
        {"window load", "R+ S E R+"},
        {"answer to an error", "R+ S B R+ E S"},
        {"answer whose page fails too", "R+ S B R+ E S B R- E"},
        {"loads after the refusal", "R+ S B R+ E S B R- E R+ S B R+ E"},
        {"error of a link the page followed", "S B R+ E"},
        {"error of the page the error page links to", "S B R+ E S N S B R+ E"},
        {"error while the error page shows", "S B R+ E S N B R+ E"},
        {"asked after the report, started later", "S B E R+ S B R+ E"},
        {"second report for the failed error page", "S B R+ E S B R- E B R- E"},
    };
    for (const auto& c : cases) {
        CErrorPageGuard guard;
        std::istringstream steps(c.steps);
        std::string step;
        int index = 0;
        while (steps >> step) {
            ++index;
            if (step == "S") {
                guard.OnLoadStarted();
            } else if (step == "N") {
                guard.OnLoadEnded();
            } else if (step == "B") {
                guard.BeginErrorReport();
            } else if (step == "E") {
                guard.EndErrorReport();
            } else {
                EXPECT_EQ(step == "R+", guard.OnLoadRequested()) << c.name << ", step " << index;
            }
        }
    }
}

} // namespace
