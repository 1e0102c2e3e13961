#include "memory/COptionsDlg.h"

#include "app/EventSounds.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "memory/BalloonHelp.h"
#include "platform/file/AtomicFile.h"
#include "platform/text/Ansi.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipControl.h"
#include "wrappers/DataExchange.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <charconv>
#include <climits>

namespace {

const QString kBackupFile = QStringLiteral("tarvil.bak");

// The settings file's name as the file system spells it.
QString SettingsFile(const app::Settings &settings)
{
    return QFile::decodeName(QByteArray::fromStdString(settings.filePath()));
}

// Clear while Play springs its button back up: the click that this fires does nothing.
bool playArmed = true;

// The leading decimal integer of `text`: blanks and a sign may come first; 0 when there is no
// number, and the nearest int when it is too large for one.
int LeadingInteger(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r\n\f\v");
    if (start == std::string_view::npos)
        return 0;
    text.remove_prefix(start);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return text.starts_with('-') ? INT_MIN : INT_MAX;
    return value;
}

} // namespace

COptionsDlg::COptionsDlg(app::Settings &settings, app::EventSounds &sounds, QWidget *owner)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), owner), m_settings(settings),
      m_sounds(sounds)
{
    onClick(IDC_DISABLE_ALL, [this] { OnDisableAll(); });
    onClick(IDC_DISABLE_EVENT, [this] { OnDisableEvent(); });
    onClick(IDC_BROWSE, [this] { OnBrowse(); });
    onClick(IDC_PLAY, [this] { OnPlay(); });
    onClick(IDC_DISABLE_BALLOONS, [this] { OnBalloonSwitch(); });
    onClick(IDC_BACKGROUND, [this] { OnChooseColor(keys::kChatBackground, m_backgroundSwatch); });
    onClick(IDC_FOREGROUND, [this] { OnChooseColor(keys::kChatForeground, m_foregroundSwatch); });
    onClick(IDC_OK, [this] { OnOk(); });
    onClick(IDC_CANCEL, [this] { OnCancelButton(); });
}

COptionsDlg::~COptionsDlg() = default;

bool COptionsDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_events = qobject_cast<QListWidget *>(GetDlgItem(IDC_EVENTS));
    m_disableAll = qobject_cast<QCheckBox *>(GetDlgItem(IDC_DISABLE_ALL));
    m_disableEvent = qobject_cast<QCheckBox *>(GetDlgItem(IDC_DISABLE_EVENT));
    m_disableBalloons = qobject_cast<QCheckBox *>(GetDlgItem(IDC_DISABLE_BALLOONS));
    m_wavFile = qobject_cast<QLineEdit *>(GetDlgItem(IDC_WAV_FILE));
    m_delay = qobject_cast<QLineEdit *>(GetDlgItem(IDC_DELAY));
    m_browse = GetDlgItem(IDC_BROWSE);
    DDX_Control(*this, IDC_PLAY, m_play);
    DDX_Control(*this, IDC_BACKGROUND_SWATCH, m_backgroundSwatch);
    DDX_Control(*this, IDC_FOREGROUND_SWATCH, m_foregroundSwatch);

    MakeBackup();

    for (const std::string_view event : keys::kEventNames)
        m_events->addItem(text::fromAnsi(event));
    m_disableAll->setChecked(!m_sounds.soundsEnabled());
    // Every change of the box's text, typed or set here, is stored at once.
    connect(m_wavFile, &QLineEdit::textChanged, this, [this] { OnWavFileChanged(); });
    m_events->setCurrentRow(0);
    m_play.SetEnabled(false);
    OnSelectEvent();
    connect(m_events, &QListWidget::currentRowChanged, this, [this] { OnSelectEvent(); });

    if (const std::optional<int> colour = m_settings.number(keys::kChatBackground))
        m_backgroundSwatch.SetFillColor(*colour);
    if (const std::optional<int> colour = m_settings.number(keys::kChatForeground))
        m_foregroundSwatch.SetFillColor(*colour);

    SetUpBalloons();
    return true;
}

// The copy that Cancel puts back. A settings file that does not exist yet is backed up as an
// empty one. When no complete copy can be made the user is told, and Cancel then restores
// nothing rather than an incomplete file.
void COptionsDlg::MakeBackup()
{
    const QString settingsFile = SettingsFile(m_settings);
    m_backupMade = QFile::exists(settingsFile) ? file::copyAtomically(settingsFile, kBackupFile)
                                               : file::writeAtomically(kBackupFile, {});
    if (!m_backupMade)
        ui::MessageBox(this,
                       "The settings could not be copied to \"tarvil.bak\". Changes made in this "
                       "window take effect at once and Cancel cannot undo them.",
                       "Options", ui::MessageIcon::Exclamation);
}

void COptionsDlg::SetUpBalloons()
{
    m_balloon = std::make_unique<ui::ToolTipControl>(this);
    const memory::BalloonText texts[] = {
        {IDC_BACKGROUND, "Choose different background color for textboxes."},
        {IDC_BACKGROUND_SWATCH, "Current color of the background in textboxes."},
        {IDC_FOREGROUND, "Choose different foreground color for textboxes."},
        {IDC_FOREGROUND_SWATCH, "Current color of the text in textboxes."},
        {IDC_BROWSE, "Choose a wav file from your computer."},
        {IDC_CANCEL, "Disregard changes and return."},
        {IDC_DISABLE_ALL, "Disable sounds for all events."},
        {IDC_DISABLE_EVENT, "Disable the sound for this event"},
        {IDC_EVENTS, "Events that occur in Tarvil32."},
        {IDC_WAV_FILE, "The wav file associated with this event."},
        {IDC_OK, "Save changes and return."},
        {IDC_PLAY, "Play the above sound file."},
        {IDC_DISABLE_BALLOONS, "Disable all balloon help."},
        {IDC_DELAY, "Seconds of idle mouse movement before balloon appears."},
    };
    memory::AddBalloonTexts(*m_balloon, *this, texts);

    if (m_settings.isOn(keys::kBalloonsOff)) {
        m_disableBalloons->setChecked(true);
        m_delay->setEnabled(false);
        m_balloon->Activate(false);
    } else {
        m_balloon->Activate(true);
    }

    // Every change of the delay box's text is stored at once; showing the delay does so too, so
    // a window opened without one leaves 1 second stored.
    connect(m_delay, &QLineEdit::textChanged, this, [this] { OnDelayChanged(); });
    if (const std::optional<int> delay = m_settings.number(keys::kBalloonDelay)) {
        m_delay->setText(text::fromAnsi(m_settings.GetString(keys::kBalloonHelp, keys::kDelay)));
        memory::SetBalloonDelay(*m_balloon, *delay);
    } else {
        m_delay->setText(QStringLiteral("1"));
    }
}

bool COptionsDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    return ui::Dialog::PreTranslateMessage(target, event);
}

std::string COptionsDlg::SelectedEvent() const
{
    const QListWidgetItem *item = m_events->currentItem();
    return item ? text::toAnsi(item->text()) : std::string();
}

void COptionsDlg::OnSelectEvent()
{
    const std::string event = SelectedEvent();
    const std::string file = m_settings.GetString(keys::kSounds, event);
    m_play.SetEnabled(!file.empty());
    m_wavFile->setText(text::fromAnsi(file));

    const bool switchedOff = !m_settings.GetString(keys::kDisabledSounds, event).empty();
    m_disableEvent->setChecked(switchedOff);
    if (switchedOff) {
        m_play.SetEnabled(false);
        m_wavFile->setEnabled(false);
    }
    OnDisableEvent();
}

void COptionsDlg::OnDisableEvent()
{
    const bool off = m_disableEvent->isChecked();
    EnableEventControls(!off);
    m_settings.WriteString(keys::kDisabledSounds, SelectedEvent(),
                           off ? std::optional(keys::kEventDisabled) : std::nullopt);
}

void COptionsDlg::OnDisableAll()
{
    const bool off = m_disableAll->isChecked();
    m_settings.WriteString(keys::kAllSoundsOff.section, keys::kAllSoundsOff.key,
                           off ? std::optional(keys::kAllSoundsOff.word) : std::nullopt);
    m_sounds.setSoundsEnabled(!off);
    m_disableEvent->setEnabled(!off);
    EnableEventControls(!off);
}

void COptionsDlg::EnableEventControls(bool enable)
{
    m_browse->setEnabled(enable);
    m_wavFile->setEnabled(enable);
    m_play.SetEnabled(enable);
}

void COptionsDlg::OnWavFileChanged()
{
    const std::string file = text::toAnsi(m_wavFile->text());
    m_settings.WriteString(keys::kSounds, SelectedEvent(),
                           file.empty() ? std::nullopt : std::optional<std::string_view>(file));
    m_play.SetEnabled(!file.empty());
}

void COptionsDlg::OnBrowse()
{
    const std::optional<std::string> chosen =
        ui::GetOpenFileName({this, "Wav Files (*.wav)", "wav"});
    if (!chosen)
        return;
    m_wavFile->setText(text::fromAnsi(*chosen));
    m_settings.WriteString(keys::kSounds, SelectedEvent(), *chosen);
    m_play.SetEnabled(true);
}

// Plays the box's file while the window waits, whatever the event switches say. The play
// button is a two-state button: it springs back up afterwards, and the click that this fires is
// ignored.
void COptionsDlg::OnPlay()
{
    if (!playArmed)
        return;
    const std::string file = text::toAnsi(m_wavFile->text());
    if (file.empty())
        ui::MessageBox(this, "You must supply a wav file to play!", "Missing Wav File",
                       ui::MessageIcon::Exclamation);
    else if (!m_sounds.PlayFile(file))
        ui::MessageBox(this,
                       "There seems to be a problem with the device driver attached to that sound.",
                       "Sound Failure", ui::MessageIcon::Exclamation);
    playArmed = false;
    m_play.SetValue(false);
    playArmed = true;
}

void COptionsDlg::OnBalloonSwitch()
{
    const bool off = m_disableBalloons->isChecked();
    m_settings.WriteString(keys::kBalloonsOff.section, keys::kBalloonsOff.key,
                           off ? keys::kBalloonsOff.word : keys::kBalloonOn);
    m_delay->setEnabled(!off);
    m_balloon->Activate(!off);
}

void COptionsDlg::OnDelayChanged()
{
    const int seconds = LeadingInteger(text::toAnsi(m_delay->text()));
    m_settings.WriteInt(keys::kBalloonHelp, keys::kDelay, seconds);
    memory::SetBalloonDelay(*m_balloon, seconds);
}

// Starts from the stored colour, black when none is set.
void COptionsDlg::OnChooseColor(const keys::OptionalNumber &setting, CQv3dLabel &swatch)
{
    const int current = m_settings.number(setting).value_or(0);
    const std::optional<int> chosen = ui::ChooseColor(this, current);
    if (!chosen)
        return;
    swatch.SetFillColor(*chosen);
    m_settings.WriteInt(setting.section, setting.key, *chosen);
}

void COptionsDlg::OnOk()
{
    QFile::remove(kBackupFile);
    EndDialog(ui::IDOK);
}

// Puts the settings back as they were at opening. When the copy cannot be read back the
// settings stay as edited and the copy is kept, so nothing is lost.
void COptionsDlg::OnCancelButton()
{
    if (m_backupMade && !file::copyAtomically(kBackupFile, SettingsFile(m_settings))) {
        ui::MessageBox(this,
                       "The settings could not be restored from \"tarvil.bak\": the changes made "
                       "in this window are kept, and \"tarvil.bak\" holds the settings as they "
                       "were.",
                       "Options", ui::MessageIcon::Exclamation);
        EndDialog(ui::IDCANCEL);
        return;
    }
    QFile::remove(kBackupFile);
    EndDialog(ui::IDCANCEL);
}
