#include "logon_task_xml.h"

namespace zelvo {

namespace {

constexpr char kTaskHead[] =
    "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
    "  <RegistrationInfo>\n"
    "    <Description>Shows how full each fixed drive is in its icon.</Description>\n"
    "  </RegistrationInfo>\n"
    "  <Triggers>\n"
    "    <LogonTrigger>\n"
    "      <Enabled>true</Enabled>\n"
    "    </LogonTrigger>\n"
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
    return kTaskHead + XmlEscape(updaterPath) + kTaskTail;
}

} // namespace zelvo
