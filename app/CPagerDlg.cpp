#include "app/CPagerDlg.h"

#include "app/CSettings.h"
#include "app/CTarvilApp.h"
#include "app/SettingsKeys.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/text/Ansi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipControl.h"

#include <algorithm>
#include <climits>

#include <QComboBox>
#include <QIcon>

namespace {

// Balloon delays are stored in seconds; anything beyond what milliseconds can hold is clamped.
int BalloonDelayMilliseconds(int seconds)
{
    return std::clamp(seconds, 0, INT_MAX / 1000) * 1000;
}

} // namespace

CPagerDlg::CPagerDlg(CTarvilApp &app, QWidget *parent)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), parent), m_app(app)
{
    onClick(IDC_PAGE, [this] { OnPage(); });
    onClick(IDC_MEMORY, [this] { OnMemory(); });
    onClick(IDC_OPTIONS, [this] { OnOptions(); });
    onClick(IDC_EXIT, [this] { OnExit(); });
}

CPagerDlg::~CPagerDlg() = default;

QComboBox *CPagerDlg::DestinationBox() const
{
    return qobject_cast<QComboBox *>(GetDlgItem(IDC_DESTINATION));
}

bool CPagerDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    PlayStartUpSound();
    m_balloon = std::make_unique<ui::ToolTipControl>(this);
    m_balloon->Activate(true);

    CSettings &settings = m_app.Settings();
    QComboBox *box = DestinationBox();
    box->clear();
    for (const std::string &entry : settings.AddressList())
        box->addItem(text::fromAnsi(entry));

    m_app.Sounds().WriteFirstRunDefaults();
    SetUpBalloons();

    const QIcon icon(QStringLiteral(":/icons/tarvil.xpm"));
    setWindowIcon(icon);
    return true;
}

bool CPagerDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    return ui::Dialog::PreTranslateMessage(target, event);
}

// The start-up sound is decided from the settings file itself, before anything else is set up.
void CPagerDlg::PlayStartUpSound()
{
    const CSettings &settings = m_app.Settings();
    if (settings.GetString(keys::kDisabledSounds, keys::kAll) == keys::kAllDisabled)
        return;
    if (!settings.GetString(keys::kDisabledSounds, keys::kStartUp).empty())
        return;
    const std::string file = settings.GetString(keys::kSounds, keys::kStartUp);
    if (!file.empty())
        m_app.SoundPlayer().sndPlaySound(file, sound::SND_ASYNC);
}

void CPagerDlg::SetUpBalloons()
{
    const struct {
        int id;
        const char *text;
    } tools[] = {
        {IDC_MEMORY, "Add/Remove/Alias IP Address & Hostnames in memory"},
        {IDC_DESTINATION_FRAME, "IP Address & Hostnames stored in memory"},
        {IDC_DESTINATION, "IP Address & Hostnames stored in memory"},
        {IDC_OPTIONS, "View/Modify sound/balloon/color options"},
        {IDC_PAGE, "Send Page or Chat to IP Address/Hostname"},
        {IDC_EXIT, "Terminate Tarvil32"},
    };
    for (const auto &tool : tools)
        m_balloon->AddTool(GetDlgItem(tool.id), tool.text);

    ApplyBalloonDelay();
    if (m_app.Settings().GetString(keys::kBalloonHelp, keys::kEnabled) == keys::kBalloonOff)
        m_balloon->Activate(false);
}

void CPagerDlg::ApplyBalloonDelay()
{
    const int delay =
        m_app.Settings().GetInt(keys::kBalloonHelp, keys::kDelay, keys::kDefaultDelay);
    if (delay != keys::kDefaultDelay)
        m_balloon->SetDelayTime(BalloonDelayMilliseconds(delay));
}

void CPagerDlg::OnPage()
{
    QComboBox *box = DestinationBox();
    const std::string typed = text::toAnsi(box->currentText());
    if (typed.empty()) {
        ui::MessageBox(this, "You must supply an ip address or host name.", "Missing Information",
                       ui::MessageIcon::Exclamation);
        return;
    }

    // A text that begins an item already listed is taken as known: not added again.
    CSettings &settings = m_app.Settings();
    if (box->findText(box->currentText(), Qt::MatchStartsWith) < 0) {
        box->addItem(box->currentText());
        settings.AddAddress(typed);
    }

    // The page window shows what was typed; the datagrams go to what an alias stands for. The
    // alias's value is not looked up again.
    m_destination = typed;
    std::string destination = typed;
    if (std::string value = settings.GetString(keys::kAlias, typed); !value.empty())
        destination = std::move(value);

    std::string payload;
    if (RunPageWindow(typed, payload))
        SendPage(payload, destination);
}

void CPagerDlg::OnMemory()
{
    m_app.Sounds().PlayEventSound(keys::kAccessMemory, CEventSounds::Mode::Asynchronous);
    RunMemoryWindow();
}

void CPagerDlg::OnOptions()
{
    RunOptionsWindow();
    if (m_app.Settings().GetString(keys::kBalloonHelp, keys::kEnabled) == keys::kBalloonOff) {
        m_balloon->Activate(false);
        return;
    }
    m_balloon->Activate(true);
    ApplyBalloonDelay();
}

void CPagerDlg::OnExit()
{
    m_app.Sounds().PlayEventSound(keys::kExit, CEventSounds::Mode::Synchronous);
    ui::PostMessage(this, ui::WM_CLOSE, 0, 0);
}

// The page window, the send loop and the memory and options windows are separate windows of
// their own; until they are part of the program these open nothing and send nothing.
bool CPagerDlg::RunPageWindow(const std::string &, std::string &)
{
    return false;
}

void CPagerDlg::SendPage(const std::string &, const std::string &) {}

void CPagerDlg::RunMemoryWindow() {}

void CPagerDlg::RunOptionsWindow() {}
