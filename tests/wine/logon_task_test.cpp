// The logon task against Wine's Task Scheduler, which keeps registered tasks and answers GetTask
// and DeleteTask (it reads back only part of a definition, so the content is checked natively).
#include "harness.h"
#include "layout.h"
#include "logon_task.h"
#include "logon_task_xml.h"
#include "task_scheduler.h"

#include <gtest/gtest.h>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

constexpr char kOtherTask[] = "Zelvo scratch task";

class LogonTaskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteLogonTask();
        DeleteTask(kOtherTask);
    }
    void TearDown() override { SetUp(); }

    static std::string UpdaterPath() { return SysFile(kUpdaterFile); }

    // Tasks of the root folder: the Task Scheduler keeps each as a file in the system folder's
    // Tasks folder (Wine's answers no GetTasks).
    static long TaskCount() {
        WIN32_FIND_DATAA found;
        const UniqueFind find(FindFirstFileA((SysDir() + "\\Tasks\\*").c_str(), &found));
        long count = 0;
        for (bool more = bool(find); more; more = FindNextFileA(find.get(), &found))
            count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        return count;
    }

    // Another program's task, registered and deleted here directly.
    static bool RegisterTask(const char* name) {
        const ComApartment com;
        const ComPtr<ITaskFolder> folder = RootTaskFolder();
        const UniqueBstr bstr = AnsiToBstr(name);
        const UniqueBstr xml = AnsiToBstr(LogonTaskXml("C:\\other.exe"));
        const VARIANT none = EmptyVariant();
        ComPtr<IRegisteredTask> task;
        return folder &&
               SUCCEEDED(folder->RegisterTask(bstr.get(), xml.get(), TASK_CREATE_OR_UPDATE, none,
                                              none, TASK_LOGON_NONE, none, task.put()));
    }
    static void DeleteTask(const char* name) {
        const ComApartment com;
        const ComPtr<ITaskFolder> folder = RootTaskFolder();
        const UniqueBstr bstr = AnsiToBstr(name);
        if (folder)
            folder->DeleteTask(bstr.get(), 0);
    }
};

} // namespace

TEST_F(LogonTaskTest, RegisteringTwiceLeavesOneTaskThatGetTaskFinds) {
    const long before = TaskCount();
    EXPECT_TRUE(RegisterLogonTask(UpdaterPath()));
    EXPECT_TRUE(LogonTaskExists());
    EXPECT_TRUE(RegisterLogonTask(UpdaterPath()));
    EXPECT_TRUE(LogonTaskExists());
    EXPECT_EQ(TaskCount(), before + 1);
}

TEST_F(LogonTaskTest, APathWithXmlCharactersIsRegistered) {
    EXPECT_TRUE(RegisterLogonTask("C:\\Tools & <Co> 'x'\\ZDrvs.exe"));
    EXPECT_TRUE(LogonTaskExists());
}

TEST_F(LogonTaskTest, DeletingRemovesOnlyTheLogonTaskAndAMissingOneGivesFalse) {
    ASSERT_TRUE(RegisterTask(kOtherTask));
    ASSERT_TRUE(RegisterLogonTask(UpdaterPath()));
    const long registered = TaskCount();
    EXPECT_TRUE(DeleteLogonTask());
    EXPECT_FALSE(LogonTaskExists());
    EXPECT_TRUE(TaskExists(kOtherTask));
    EXPECT_EQ(TaskCount(), registered - 1);

    EXPECT_FALSE(DeleteLogonTask());
    EXPECT_TRUE(TaskExists(kOtherTask));
    EXPECT_EQ(TaskCount(), registered - 1);
}

// A caller whose thread already runs COM in another model keeps it as it was.
TEST_F(LogonTaskTest, ACallersComIsLeftInitialised) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_TRUE(RegisterLogonTask(UpdaterPath()));
    EXPECT_TRUE(DeleteLogonTask());
    // Still initialised, as multithreaded: a second initialisation answers S_FALSE.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}
