#include "tools/templategen/TemplateGenerator.h"

#include "platform/ole/Control.h"
#include "platform/ole/StdPicture.h"
#include "platform/text/Ansi.h"
#include "platform/ui/ControlContainer.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/DialogUnits.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <span>
#include <vector>

namespace templategen {

namespace {

std::string hexCode(ole::HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

// "0x" and one to eight hex digits, the way colours are written; nullopt for anything else.
std::optional<std::uint32_t> hexNumber(const QString &text)
{
    if (text.size() < 3 || text.size() > 10 || !text.startsWith(u"0x", Qt::CaseInsensitive))
        return std::nullopt;
    const QByteArray digits = text.mid(2).toLatin1();
    std::uint32_t number = 0;
    const auto [end, failure] =
        std::from_chars(digits.constData(), digits.constData() + digits.size(), number, 16);
    if (failure != std::errc{} || end != digits.constData() + digits.size())
        return std::nullopt;
    return number;
}

// Whole numbers within 32 bits as a long, signed or as the bits of an unsigned one; any other
// number as a single.
std::optional<ole::Variant> numberValue(double number)
{
    if (number != std::trunc(number))
        return ole::Variant(static_cast<float>(number));
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return ole::Variant(
        static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(number))));
}

// The picture in the file `name`, relative to the resources folder.
std::shared_ptr<ole::StdPicture> pictureFile(const std::filesystem::path &resources,
                                             const QString &name, std::string &error)
{
    const std::filesystem::path relative(name.toStdString());
    const std::filesystem::path normal = relative.lexically_normal();
    if (relative.is_absolute() || normal.empty() || *normal.begin() == "..") {
        error = "the picture \"" + name.toStdString() + "\" is not inside the resources";
        return nullptr;
    }
    QFile file(resources / normal);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read the picture " + file.fileName().toStdString() + ": " +
                file.errorString().toStdString();
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    auto picture = ole::StdPicture::fromFile(
        std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), bytes.size()));
    if (!picture)
        error = file.fileName().toStdString() + " is not a bitmap file";
    return picture;
}

std::optional<ole::Variant>
propertyValue(const QJsonValue &value, const std::filesystem::path &resources, std::string &error)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return ole::Variant(value.toBool());
    case QJsonValue::Double: {
        auto number = numberValue(value.toDouble());
        if (!number)
            error = "the number does not fit in 32 bits";
        return number;
    }
    case QJsonValue::String: {
        const QString text = value.toString();
        if (const auto number = hexNumber(text))
            return ole::Variant(static_cast<std::int32_t>(*number));
        if (!text.endsWith(u".bmp", Qt::CaseInsensitive))
            return ole::Variant(text::toAnsi(text));
        const auto picture = pictureFile(resources, text, error);
        if (!picture)
            return std::nullopt;
        return ole::Variant(ole::DispatchPtr(picture));
    }
    default:
        error = "the value is neither a boolean, a number nor a string";
        return std::nullopt;
    }
}

// The stream of a new control made from `parsed` in `container`, with `properties` set. Errors
// start with `where`, the control's name.
std::optional<std::vector<std::uint8_t>>
controlStream(const std::string &where, ui::ControlContainer &container,
              const ui::DialogControlTemplate &parsed, const QRect &geometry,
              const QJsonObject &properties, const std::filesystem::path &resources,
              std::string &error)
{
    // Made new, without a display name, so that a control that takes its first caption from it
    // starts with none: the stream holds the property list and the control's own defaults. The
    // control takes the extent it saves from its window: its size in the dialog, in HIMETRIC at
    // the window's resolution (96 dpi on the offscreen platform).
    const QWidget *window = container.createControl(parsed.id, *parsed.clsid, {}, geometry, {});
    ole::Control *control = container.control(parsed.id);
    if (!control) {
        error = where + ": the control cannot be made (" + window->objectName().toStdString() +
                "): is its library built in the controls folder?";
        return std::nullopt;
    }
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        const std::string name = text::toAnsi(it.key());
        const std::string property = where + ", property \"" + name + "\": ";
        const ole::DispId id = control->idOfName(name);
        if (id == ole::DISPID_UNKNOWN) {
            error = property + "the control has no such property";
            return std::nullopt;
        }
        std::string valueError;
        const auto value = propertyValue(it.value(), resources, valueError);
        if (!value) {
            error = property + valueError;
            return std::nullopt;
        }
        ole::ExcepInfo refusal;
        if (const ole::HRESULT hr = control->putProperty(id, *value, &refusal); ole::failed(hr)) {
            error = property + "the control refuses the value (" +
                    (refusal.description.empty() ? "" : refusal.description + ", ") + hexCode(hr) +
                    ")";
            return std::nullopt;
        }
    }
    std::vector<std::uint8_t> stream;
    if (const ole::HRESULT hr = control->save(stream); ole::failed(hr)) {
        error = where + ": the control cannot save its properties (" + hexCode(hr) + ")";
        return std::nullopt;
    }
    return stream;
}

} // namespace

std::optional<QByteArray> generateTemplate(const QByteArray &source,
                                           const std::filesystem::path &resources,
                                           std::string &error)
{
    // The program's own reader checks the template first: what it refuses is never made.
    const auto dialog = ui::DialogTemplate::parse(source, &error);
    if (!dialog)
        return std::nullopt;
    const ui::DialogUnits units(
        ui::DialogUnits::dialogFont(dialog->fontName, dialog->fontPointSize));
    // The controls are hosted as the program's windows host them, in design mode, as a form
    // designer holds the controls whose streams it saves.
    QWidget host;
    ui::ControlContainer container(&host, false);

    QJsonObject document = QJsonDocument::fromJson(source).object();
    QJsonArray controls = document.value(u"controls").toArray();
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QJsonObject control = controls.at(i).toObject();
        const QJsonValue properties = control.value(u"properties");
        if (!properties.isObject())
            continue;
        const ui::DialogControlTemplate &parsed = dialog->controls[static_cast<std::size_t>(i)];
        const std::string where =
            "dialog " + std::to_string(dialog->id) + ", control " + std::to_string(parsed.id);
        if (!parsed.clsid) {
            error = where + ": a property list for a standard control";
            return std::nullopt;
        }
        if (control.contains(u"stream")) {
            error = where + ": both a property list and a stream";
            return std::nullopt;
        }
        const auto stream = controlStream(where, container, parsed, units.toPixels(parsed.rect),
                                          properties.toObject(), resources, error);
        if (!stream)
            return std::nullopt;
        control.remove(u"properties");
        control.insert(u"stream", ui::DialogTemplate::streamText(*stream));
        controls[i] = control;
    }
    document.insert(u"controls", controls);
    return QJsonDocument(document).toJson();
}

} // namespace templategen
