// The logon task's definition, read back by an XML parser as the Task Scheduler would read it.
#include "logon_task_xml.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>

using namespace zelvo;
using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace {

constexpr char kNamespace[] = "http://schemas.microsoft.com/windows/2004/02/mit/task";

class LogonTaskDefinition : public ::testing::Test {
  protected:
    void Parse(const std::string& updaterPath) {
        xml_ = LogonTaskXml(updaterPath);
        ASSERT_EQ(doc_.Parse(xml_.c_str()), tinyxml2::XML_SUCCESS) << xml_;
        task_ = doc_.RootElement();
        ASSERT_NE(task_, nullptr);
    }

    // The element at a path of child names below <Task>; fails the test when one is missing.
    const XMLElement* At(std::initializer_list<const char*> names) const {
        const XMLElement* e = task_;
        for (const char* name : names) {
            e = e ? e->FirstChildElement(name) : nullptr;
            EXPECT_NE(e, nullptr) << "no <" << name << "> in\n" << xml_;
        }
        return e;
    }

    std::string Text(std::initializer_list<const char*> names) const {
        const XMLElement* e = At(names);
        return e && e->GetText() ? e->GetText() : "";
    }

    static int CountChildren(const XMLElement* e) {
        int n = 0;
        for (const XMLElement* c = e ? e->FirstChildElement() : nullptr; c;
             c = c->NextSiblingElement())
            ++n;
        return n;
    }

    std::string xml_;
    XMLDocument doc_;
    const XMLElement* task_ = nullptr;
};

} // namespace

TEST_F(LogonTaskDefinition, RunsTheUpdaterAloneWithItsPathIntact) {
    const std::string path = "C:\\Tools & <Co>\\O'Neil \"x\"\\ZDrvs.exe";
    Parse(path);
    EXPECT_STREQ(task_->Name(), "Task");
    EXPECT_STREQ(task_->Attribute("xmlns"), kNamespace);
    EXPECT_EQ(CountChildren(At({"Actions"})), 1);
    EXPECT_EQ(Text({"Actions", "Exec", "Command"}), path);
    EXPECT_EQ(At({"Actions", "Exec"})->FirstChildElement("Arguments"), nullptr);
}

TEST_F(LogonTaskDefinition, RunsAsLocalSystemAtTheHighestLevel) {
    Parse("C:\\WINDOWS\\system32\\ZDrvs.exe");
    const XMLElement* principal = At({"Principals", "Principal"});
    EXPECT_EQ(CountChildren(At({"Principals"})), 1);
    EXPECT_EQ(Text({"Principals", "Principal", "UserId"}), "S-1-5-18");
    EXPECT_EQ(Text({"Principals", "Principal", "RunLevel"}), "HighestAvailable");
    // The action runs in that principal's context.
    ASSERT_NE(principal, nullptr);
    EXPECT_STREQ(At({"Actions"})->Attribute("Context"), principal->Attribute("id"));
}

TEST_F(LogonTaskDefinition, StartsAtAnyUsersLogonOnBatteryTooForOneMinuteAtMost) {
    Parse("C:\\WINDOWS\\system32\\ZDrvs.exe");
    EXPECT_EQ(CountChildren(At({"Triggers"})), 1);
    const XMLElement* logon = At({"Triggers", "LogonTrigger"});
    ASSERT_NE(logon, nullptr);
    EXPECT_EQ(logon->FirstChildElement("UserId"), nullptr) << "a logon of one user only";
    EXPECT_EQ(Text({"Triggers", "LogonTrigger", "Enabled"}), "true");
    EXPECT_EQ(Text({"Settings", "DisallowStartIfOnBatteries"}), "false");
    EXPECT_EQ(Text({"Settings", "StopIfGoingOnBatteries"}), "false");
    EXPECT_EQ(Text({"Settings", "ExecutionTimeLimit"}), "PT1M");
    EXPECT_EQ(Text({"Settings", "MultipleInstancesPolicy"}), "IgnoreNew");
    EXPECT_EQ(Text({"Settings", "Enabled"}), "true");
}
