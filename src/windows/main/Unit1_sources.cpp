// The facts start-up computes once, and the main window's slower sources: the external
// address and the traffic meter.
#include "platform/SystemApi.h"
#include "sources/ExternalIp.h"
#include "sources/cpuinfo.h"
#include "windows/main/Unit1.h"

namespace tabrix {
namespace {

// Label22 tells the connection: the state start-up reads, until the traffic meter
// measures the interface's link speed.
void showConnection(MainControls& controls, const std::string& text) {
    controls.setText(kLabelConnection, text);
}

}  // namespace

void fetchFirstAddress(MainSources& sources, MainControls& controls, const std::string& server) {
    // The answer arrives later; until then Label31 keeps its empty design text.
    sources.fetchExternalIp(server, [&controls](const std::string& body) {
        controls.setText(kLabelExternalIp, body);
        // An answer starting like markup is a web page, not an address.
        if (!body.empty() && body[0] == '<') controls.setText(kLabelExternalIp, kBadIpServer);
    });
}

void showStartupFacts(Platform& platform, MainControls& controls, int windowWidth,
                      const LabelPlace* savedName) {
    StartupFacts& facts = platform.facts;
    controls.setText(kLabelCpuName, facts.brandString());
    Label& name = controls.label(kLabelCpuName);
    // The close saves where the name was drawn, so that is where it starts again; grown to
    // the left from where "CPU:" ended, it would move by its own width at every start.
    if (savedName && savedName->leftSaved) name.left = savedName->left;
    // A file without the place, or a name no longer whole in the window there, is centred.
    const bool outside = name.left < 0 || (savedName && name.left + name.width > windowWidth);
    if (outside || (savedName && !savedName->leftSaved)) controls.centreCpuName(windowWidth);
    if (name.text.empty()) platform.ui.messageBox(kCpuNameHint, kAppTitle);

    controls.setText(kLabelCpuClass, CpuClassText(facts.family()));
    controls.setText(kLabelWindowsVersion, facts.windowsVersionText());
    showConnection(controls, facts.connectionText());
}

void TForm1::IPTImerTimer() {
    // After a failed refresh one more attempt is made, then the timer stops.
    if (stored_.lastIpRefresh == kFetchFailed) timers_.IPTImer.enabled = false;
    // A fetch still under way is not doubled by a short period.
    if (sources_.ipFetchPending()) return;
    sources_.fetchExternalIp(stored_.settings.ipServer, [this](const std::string& body) {
        stored_.lastIpRefresh = body;
        if (body == kFetchFailed) errors_.ShowErrorDialog(kIpRetrieveProblem);
        controls_.setText(kLabelExternalIp, body);
    });
}

void TForm1::tmrTrafficTimer() {
    TrafficTexts texts;
    switch (sources_.readTraffic(stored_.settings.ipInterface, texts)) {
        case MainSources::TrafficResult::Measured:
            break;
        case MainSources::TrafficResult::EndProgram:
            // A system library without the table function: the program ends.
            if (owner_) owner_->closeMainWindow();
            return;
        case MainSources::TrafficResult::NoRates:
            return;
    }
    showConnection(controls_, texts.linkSpeed);
    controls_.setText(kLabelDownstream, texts.downstream);
    controls_.setText(kLabelUpstream, texts.upstream);
    report_.figures().receivedBytes = texts.received;
    report_.figures().sentBytes = texts.sent;
    // Each measurement is the difference modulo 2^32, so a wrap of the table's counters adds
    // 2^32 here: the totals only grow, across rebuilds of the window too.
    stored_.receivedTotal = stored_.receivedTotal.value_or(0) + texts.received;
    stored_.sentTotal = stored_.sentTotal.value_or(0) + texts.sent;
    graphs_.pushTraffic(texts.received, texts.sent, platform_.system.decimalSeparator());
}

}  // namespace tabrix
