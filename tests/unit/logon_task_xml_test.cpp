// The logon task's definition, read back by an XML parser as the Task Scheduler would read it.
#include "logon_task_xml.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>

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
    EXPECT_EQ(Children({"Triggers"}), 1);
    ASSERT_NE(At({"Triggers", "LogonTrigger"}), nullptr);
    EXPECT_EQ(At({"Triggers", "LogonTrigger", "UserId"}), nullptr) << "one user's logon only";
    EXPECT_EQ(Text({"Triggers", "LogonTrigger", "Enabled"}), "true");
    EXPECT_EQ(Text({"Settings", "DisallowStartIfOnBatteries"}), "false");
    EXPECT_EQ(Text({"Settings", "StopIfGoingOnBatteries"}), "false");
    EXPECT_EQ(Text({"Settings", "ExecutionTimeLimit"}), "PT1M");
    EXPECT_EQ(Text({"Settings", "MultipleInstancesPolicy"}), "IgnoreNew");
    EXPECT_EQ(Text({"Settings", "Enabled"}), "true");
}
