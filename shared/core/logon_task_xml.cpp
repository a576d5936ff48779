#include "logon_task_xml.h"

namespace zelvo {

namespace {

// The events after which the drives may have filled while nobody watched: the kernel's power
// manager logs 107 on resuming from sleep and 507 on leaving Modern Standby.
constexpr char kWakeQuery[] =
    "<QueryList><Query Id=\"0\" Path=\"System\"><Select Path=\"System\">"
    "*[System[Provider[@Name='Microsoft-Windows-Kernel-Power'] and (EventID=107 or EventID=507)]]"
    "</Select></Query></QueryList>";

// Triggers: each logon; a session unlocked or connected at the console or remotely; a wake;
// and every hour from a fixed past hour, so that the bars follow the disks even in a session
// that never ends. The delays let a session or the disks settle first.
constexpr char kTaskHead[] =
    "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
    "  <RegistrationInfo>\n"
    "    <Description>Shows how full each fixed drive is in its icon.</Description>\n"
    "  </RegistrationInfo>\n"
    "  <Triggers>\n"
    "    <LogonTrigger>\n"
    "      <Enabled>true</Enabled>\n"
    "    </LogonTrigger>\n"
    "    <SessionStateChangeTrigger>\n"
    "      <Enabled>true</Enabled>\n"
    "      <Delay>PT10S</Delay>\n"
    "      <StateChange>SessionUnlock</StateChange>\n"
    "    </SessionStateChangeTrigger>\n"
    "    <SessionStateChangeTrigger>\n"
    "      <Enabled>true</Enabled>\n"
    "      <Delay>PT10S</Delay>\n"
    "      <StateChange>ConsoleConnect</StateChange>\n"
    "    </SessionStateChangeTrigger>\n"
    "    <SessionStateChangeTrigger>\n"
    "      <Enabled>true</Enabled>\n"
    "      <Delay>PT10S</Delay>\n"
    "      <StateChange>RemoteConnect</StateChange>\n"
    "    </SessionStateChangeTrigger>\n"
    "    <EventTrigger>\n"
    "      <Enabled>true</Enabled>\n"
    "      <Subscription>";
constexpr char kTaskMiddle[] =
    "</Subscription>\n"
    "      <Delay>PT30S</Delay>\n"
    "    </EventTrigger>\n"
    "    <TimeTrigger>\n"
    "      <Enabled>true</Enabled>\n"
    "      <StartBoundary>2000-01-01T00:00:00</StartBoundary>\n"
    "      <Repetition>\n"
    "        <Interval>PT1H</Interval>\n"
    "      </Repetition>\n"
    "    </TimeTrigger>\n"
    "  </Triggers>\n"
    "  <Principals>\n"
    "    <Principal id=\"LocalSystem\">\n"
    "      <UserId>S-1-5-18</UserId>\n"
    "      <RunLevel>HighestAvailable</RunLevel>\n"
    "    </Principal>\n"
    "  </Principals>\n"
    "  <Settings>\n"
    "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\n"
    "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
    "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
    "    <StartWhenAvailable>true</StartWhenAvailable>\n"
    "    <WakeToRun>false</WakeToRun>\n"
    "    <ExecutionTimeLimit>PT1M</ExecutionTimeLimit>\n"
    "    <Enabled>true</Enabled>\n"
    "  </Settings>\n"
    "  <Actions Context=\"LocalSystem\">\n"
    "    <Exec>\n"
    "      <Command>";
constexpr char kTaskTail[] = "</Command>\n"
                             "    </Exec>\n"
                             "  </Actions>\n"
                             "</Task>\n";

// Text with & < > " ' replaced by their XML entities.
std::string XmlEscape(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

std::string LogonTaskXml(const std::string& updaterPath) {
    return kTaskHead + XmlEscape(kWakeQuery) + kTaskMiddle + XmlEscape(updaterPath) + kTaskTail;
}

} // namespace zelvo
