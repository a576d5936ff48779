#include "logon_task_xml.h"

#include <string_view>

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
// that never ends. The delays let a session or the disks settle first. The two insertions, each
// escaped: the wake query and the updater's path.
constexpr std::string_view kWakeQueryMark = "{WAKE_QUERY}";
constexpr std::string_view kUpdaterPathMark = "{UPDATER_PATH}";
constexpr std::string_view kTask =
    R"(<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">
  <RegistrationInfo>
    <Description>Shows how full each fixed drive is in its icon.</Description>
  </RegistrationInfo>
  <Triggers>
    <LogonTrigger>
      <Enabled>true</Enabled>
    </LogonTrigger>
    <SessionStateChangeTrigger>
      <Enabled>true</Enabled>
      <Delay>PT10S</Delay>
      <StateChange>SessionUnlock</StateChange>
    </SessionStateChangeTrigger>
    <SessionStateChangeTrigger>
      <Enabled>true</Enabled>
      <Delay>PT10S</Delay>
      <StateChange>ConsoleConnect</StateChange>
    </SessionStateChangeTrigger>
    <SessionStateChangeTrigger>
      <Enabled>true</Enabled>
      <Delay>PT10S</Delay>
      <StateChange>RemoteConnect</StateChange>
    </SessionStateChangeTrigger>
    <EventTrigger>
      <Enabled>true</Enabled>
      <Subscription>{WAKE_QUERY}</Subscription>
      <Delay>PT30S</Delay>
    </EventTrigger>
    <TimeTrigger>
      <Enabled>true</Enabled>
      <StartBoundary>2000-01-01T00:00:00</StartBoundary>
      <Repetition>
        <Interval>PT1H</Interval>
      </Repetition>
    </TimeTrigger>
  </Triggers>
  <Principals>
    <Principal id="LocalSystem">
      <UserId>S-1-5-18</UserId>
      <RunLevel>HighestAvailable</RunLevel>
    </Principal>
  </Principals>
  <Settings>
    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>
    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>
    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>
    <StartWhenAvailable>true</StartWhenAvailable>
    <WakeToRun>false</WakeToRun>
    <ExecutionTimeLimit>PT1M</ExecutionTimeLimit>
    <Enabled>true</Enabled>
  </Settings>
  <Actions Context="LocalSystem">
    <Exec>
      <Command>{UPDATER_PATH}</Command>
    </Exec>
  </Actions>
</Task>
)";

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
    std::string xml(kTask);
    // The path goes in last: its own text may hold the other mark.
    xml.replace(xml.find(kWakeQueryMark), kWakeQueryMark.size(), XmlEscape(kWakeQuery));
    xml.replace(xml.find(kUpdaterPathMark), kUpdaterPathMark.size(), XmlEscape(updaterPath));
    return xml;
}

} // namespace zelvo
