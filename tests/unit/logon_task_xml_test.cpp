// The logon task's definition, read back by an XML parser as the Task Scheduler would read it.
#include "logon_task_xml.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

using namespace zelvo;
using tinyxml2::XMLElement;

namespace {

class LogonTaskDefinition : public ::testing::Test {
  protected:
    void SetUp() override {
        xml_ = LogonTaskXml(kPath);
        ASSERT_EQ(doc_.Parse(xml_.c_str()), tinyxml2::XML_SUCCESS) << xml_;
    }

    // The element at a path of child names below <Task>, or null.
    const XMLElement* At(std::initializer_list<const char*> names) const {
        const XMLElement* e = doc_.FirstChildElement("Task");
        for (const char* name : names)
            e = e ? e->FirstChildElement(name) : nullptr;
        return e;
    }
    std::string Text(std::initializer_list<const char*> names) const {
        const XMLElement* e = At(names);
        return e && e->GetText() ? e->GetText() : "<missing>";
    }
    int Children(std::initializer_list<const char*> names) const {
        int n = 0;
        for (const XMLElement* c = At(names) ? At(names)->FirstChildElement() : nullptr; c;
             c = c->NextSiblingElement())
            ++n;
        return n;
    }

    // Text that reads back changed unless every character with a meaning in XML is escaped.
    static constexpr char kPath[] = "C:\\R&amp;D & <Co>\\O'Neil \"x\"\\ZDrvs.exe";
    std::string xml_;
    tinyxml2::XMLDocument doc_;
};

} // namespace

TEST_F(LogonTaskDefinition, RunsTheUpdaterAloneAsLocalSystemAtTheHighestLevel) {
    ASSERT_NE(At({}), nullptr) << xml_;
    EXPECT_STREQ(At({})->Attribute("xmlns"),
                 "http://schemas.microsoft.com/windows/2004/02/mit/task");
    EXPECT_EQ(Children({"Actions"}), 1);
    EXPECT_EQ(Text({"Actions", "Exec", "Command"}), kPath);
    EXPECT_EQ(At({"Actions", "Exec", "Arguments"}), nullptr);
    EXPECT_EQ(Children({"Principals"}), 1);
    EXPECT_EQ(Text({"Principals", "Principal", "UserId"}), "S-1-5-18");
    EXPECT_EQ(Text({"Principals", "Principal", "RunLevel"}), "HighestAvailable");
    ASSERT_NE(At({"Principals", "Principal"}), nullptr);
    EXPECT_STREQ(At({"Actions"})->Attribute("Context"),
                 At({"Principals", "Principal"})->Attribute("id"));
}

TEST_F(LogonTaskDefinition, StartsAtAnyUsersLogonOnBatteryTooForOneMinuteAtMost) {
    ASSERT_NE(At({"Triggers", "LogonTrigger"}), nullptr);
    EXPECT_EQ(At({"Triggers", "LogonTrigger", "UserId"}), nullptr) << "one user's logon only";
    EXPECT_EQ(Text({"Triggers", "LogonTrigger", "Enabled"}), "true");
    EXPECT_EQ(Text({"Settings", "DisallowStartIfOnBatteries"}), "false");
    EXPECT_EQ(Text({"Settings", "StopIfGoingOnBatteries"}), "false");
    EXPECT_EQ(Text({"Settings", "ExecutionTimeLimit"}), "PT1M");
    EXPECT_EQ(Text({"Settings", "MultipleInstancesPolicy"}), "IgnoreNew");
    EXPECT_EQ(Text({"Settings", "Enabled"}), "true");
    EXPECT_EQ(Text({"Settings", "StartWhenAvailable"}), "true") << "a missed hour runs late";
    EXPECT_EQ(Text({"Settings", "WakeToRun"}), "false");
}

namespace {

// Each trigger kind's children in the schema's sequence (triggerBaseType's, then its own), and
// the one it must have.
const std::vector<std::string> kTriggerBase = {"Enabled", "StartBoundary", "EndBoundary",
                                               "Repetition", "ExecutionTimeLimit"};
const std::map<std::string, std::pair<std::vector<std::string>, const char*>> kTriggerKinds = {
    {"LogonTrigger", {{"UserId", "Delay"}, "Enabled"}},
    {"SessionStateChangeTrigger", {{"UserId", "Delay", "StateChange"}, "StateChange"}},
    {"EventTrigger",
     {{"Subscription", "Delay", "PeriodOfOccurrence", "NumberOfOccurrences", "MatchingElement",
       "ValueQueries"},
      "Subscription"}},
    {"TimeTrigger", {{"RandomDelay"}, "StartBoundary"}},
};

} // namespace

TEST_F(LogonTaskDefinition, StartsAtLogonUnlockConnectionWakeAndEachHourInTheSchemasOrder) {
    std::vector<std::string> triggers;
    for (const XMLElement* t = At({"Triggers"})->FirstChildElement(); t;
         t = t->NextSiblingElement()) {
        const XMLElement* state = t->FirstChildElement("StateChange");
        triggers.push_back(t->Name() +
                           std::string(state && state->GetText() ? state->GetText() : ""));
        ASSERT_EQ(kTriggerKinds.count(t->Name()), 1U) << t->Name();
        std::vector<std::string> order = kTriggerBase;
        const auto& [own, required] = kTriggerKinds.at(t->Name());
        order.insert(order.end(), own.begin(), own.end());
        auto next = order.begin(); // each child after the one before it: in order, and once
        for (const XMLElement* e = t->FirstChildElement(); e; e = e->NextSiblingElement()) {
            next = std::find(next, order.end(), e->Name());
            ASSERT_NE(next++, order.end()) << e->Name() << " out of order in " << t->Name();
        }
        EXPECT_NE(t->FirstChildElement(required), nullptr) << t->Name() << " lacks " << required;
        if (const XMLElement* delay = t->FirstChildElement("Delay"); delay && delay->GetText()) {
            EXPECT_TRUE(std::regex_match(delay->GetText(), std::regex("PT[1-5]?[0-9]S")))
                << t->Name() << ": a short delay, not " << delay->GetText();
        }
    }
    EXPECT_EQ(triggers,
              (std::vector<std::string>{"LogonTrigger", "SessionStateChangeTriggerSessionUnlock",
                                        "SessionStateChangeTriggerConsoleConnect",
                                        "SessionStateChangeTriggerRemoteConnect", "EventTrigger",
                                        "TimeTrigger"}));
    // Every hour (within the schema's PT1M to P31D) without end, from a time without a zone.
    EXPECT_EQ(Text({"Triggers", "TimeTrigger", "Repetition", "Interval"}), "PT1H");
    EXPECT_EQ(At({"Triggers", "TimeTrigger", "Repetition", "Duration"}), nullptr);
    EXPECT_TRUE(std::regex_match(Text({"Triggers", "TimeTrigger", "StartBoundary"}),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d)")));
}

// The wake events' query is XML held as text: escaped once, it reads back whole, and well formed.
TEST_F(LogonTaskDefinition, TheWakeQueryIsEscapedTextThatReadsBackWhole) {
    const std::string query = Text({"Triggers", "EventTrigger", "Subscription"});
    tinyxml2::XMLDocument parsed;
    EXPECT_EQ(parsed.Parse(query.c_str()), tinyxml2::XML_SUCCESS) << xml_;
    EXPECT_EQ(query, "<QueryList><Query Id=\"0\" Path=\"System\"><Select Path=\"System\">*[System["
                     "Provider[@Name='Microsoft-Windows-Kernel-Power'] and (EventID=107 or "
                     "EventID=507)]]</Select></Query></QueryList>");
}
