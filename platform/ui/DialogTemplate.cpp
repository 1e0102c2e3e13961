#include "platform/ui/DialogTemplate.h"

#include "platform/text/Ansi.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <set>

namespace ui {

namespace {

// Dialog templates hold 16-bit coordinates and ids; anything beyond is not a template value.
constexpr int kMinValue = -32768;
constexpr int kMaxValue = 65535;

// Collects the first error with the place it was found.
class Reader {
public:
    explicit Reader(std::string place) : m_place(std::move(place)) {}

    std::string where(const std::string &what) const { return m_place + ": " + what; }
    bool fail(const std::string &what)
    {
        m_error = where(what);
        return false;
    }
    const std::string &error() const { return m_error; }

    bool integer(const QJsonValue &value, const char *key, int &out)
    {
        const double number = value.toDouble();
        // The range first: converting a number beyond int is undefined.
        if (!value.isDouble() || !(number >= kMinValue && number <= kMaxValue) ||
            number != std::trunc(number))
            return fail(std::string("\"") + key + "\" is not a 16-bit integer");
        out = static_cast<int>(number);
        return true;
    }

    bool string(const QJsonObject &object, const char *key, std::string &out, bool required)
    {
        const QJsonValue value = object.value(QLatin1StringView(key));
        if (value.isUndefined() && !required)
            return true;
        if (!value.isString())
            return fail(std::string("\"") + key + "\" is missing or not a string");
        out = text::toAnsi(value.toString());
        return true;
    }

    bool rect(const QJsonObject &object, QRect &out)
    {
        const QJsonValue value = object.value(u"rect");
        const QJsonArray array = value.toArray();
        if (!value.isArray() || array.size() != 4)
            return fail("\"rect\" is missing or not [x, y, width, height]");
        int numbers[4] = {};
        for (int i = 0; i < 4; ++i) {
            if (!integer(array.at(i), "rect", numbers[i]))
                return false;
        }
        if (numbers[2] < 0 || numbers[3] < 0)
            return fail("\"rect\" has a negative size");
        out = QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
        return true;
    }

    bool styles(const QJsonObject &object, std::vector<std::string> &out)
    {
        const QJsonValue value = object.value(u"styles");
        if (value.isUndefined())
            return true;
        if (!value.isArray())
            return fail("\"styles\" is not a list");
        for (const QJsonValue style : value.toArray()) {
            if (!style.isString())
                return fail("\"styles\" holds a value that is not a string");
            out.push_back(text::toAnsi(style.toString()));
        }
        return true;
    }

    bool hex(const QJsonObject &object, std::vector<std::uint8_t> &out)
    {
        const QJsonValue value = object.value(u"stream");
        if (value.isUndefined())
            return true;
        if (!value.isString())
            return fail("\"stream\" is not a string");
        int high = -1;
        for (const QChar c : value.toString()) {
            if (c.isSpace())
                continue;
            const int digit = c.unicode() < 0x80 ? hexDigit(static_cast<char>(c.unicode())) : -1;
            if (digit < 0)
                return fail("\"stream\" holds a character that is not a hex digit");
            if (high < 0) {
                high = digit;
            } else {
                out.push_back(static_cast<std::uint8_t>(high << 4 | digit));
                high = -1;
            }
        }
        if (high >= 0)
            return fail("\"stream\" has an odd number of hex digits");
        return true;
    }

private:
    static int hexDigit(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    std::string m_place;
    std::string m_error;
};

std::optional<DialogControlTemplate> parseControl(const QJsonValue &value, int index,
                                                  std::string &error)
{
    DialogControlTemplate control;
    const QJsonObject object = value.toObject();
    // Until the id is known the control is named by its place in the list.
    Reader reader("control #" + std::to_string(index + 1));
    if (!value.isObject()) {
        reader.fail("not an object");
    } else if (reader.integer(object.value(u"id"), "id", control.id)) {
        reader = Reader("control " + std::to_string(control.id));
        std::string clsid;
        const bool hosted = object.contains(u"clsid");
        const bool ok =
            reader.rect(object, control.rect) && reader.styles(object, control.styles) &&
            reader.string(object, "text", control.text, false) &&
            (hosted
                 ? reader.string(object, "clsid", clsid, true) && reader.hex(object, control.stream)
                 : reader.string(object, "class", control.windowClass, true));
        if (ok && hosted) {
            control.clsid = ole::Clsid::fromString(clsid);
            if (!control.clsid)
                reader.fail("\"clsid\" is not a class identifier");
            else if (object.contains(u"class"))
                reader.fail("has both \"class\" and \"clsid\"");
        } else if (ok && control.windowClass.empty()) {
            reader.fail("\"class\" is empty");
        } else if (ok && object.contains(u"stream")) {
            reader.fail("\"stream\" given for a standard control");
        }
    }
    if (!reader.error().empty()) {
        error = reader.error();
        return std::nullopt;
    }
    return control;
}

} // namespace

std::optional<DialogTemplate> DialogTemplate::parse(const QByteArray &data, std::string *error)
{
    const auto failed = [error](const std::string &message) -> std::optional<DialogTemplate> {
        if (error)
            *error = message;
        return std::nullopt;
    };

    QJsonParseError jsonError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &jsonError);
    if (document.isNull())
        return failed("dialog template: " + text::toAnsi(jsonError.errorString()) + " at offset " +
                      std::to_string(jsonError.offset));
    if (!document.isObject())
        return failed("dialog template: not an object");

    const QJsonObject object = document.object();
    DialogTemplate result;
    Reader reader("dialog template");
    if (!reader.integer(object.value(u"id"), "id", result.id))
        return failed(reader.error());
    reader = Reader("dialog " + std::to_string(result.id));

    const QJsonValue font = object.value(u"font");
    if (!font.isObject())
        return failed(reader.where("\"font\" is missing or not an object"));
    if (!reader.string(font.toObject(), "name", result.fontName, true) ||
        !reader.integer(font.toObject().value(u"pointSize"), "pointSize", result.fontPointSize))
        return failed(reader.error());
    if (result.fontPointSize <= 0)
        return failed(reader.where("\"pointSize\" is not positive"));
    if (!reader.string(object, "caption", result.caption, false) ||
        !reader.rect(object, result.rect) || !reader.styles(object, result.styles))
        return failed(reader.error());

    const QJsonValue controls = object.value(u"controls");
    if (!controls.isUndefined() && !controls.isArray())
        return failed(reader.where("\"controls\" is not a list"));
    const QJsonArray list = controls.toArray();
    std::set<int> ids;
    for (int i = 0; i < list.size(); ++i) {
        std::string controlError;
        auto control = parseControl(list.at(i), i, controlError);
        if (!control)
            return failed("dialog " + std::to_string(result.id) + ", " + controlError);
        // Windows leaves -1 to any number of static texts; every other id names one control.
        if (control->id != -1 && !ids.insert(control->id).second)
            return failed("dialog " + std::to_string(result.id) + ", control " +
                          std::to_string(control->id) + ": id used twice");
        result.controls.push_back(std::move(*control));
    }
    return result;
}

QString DialogTemplate::streamText(std::span<const std::uint8_t> stream)
{
    const QByteArray bytes(reinterpret_cast<const char *>(stream.data()),
                           static_cast<qsizetype>(stream.size()));
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

std::optional<DialogTemplate> DialogTemplate::load(int id, std::string *error)
{
    QFile file(QStringLiteral(":/dialogs/%1.json").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = "dialog " + std::to_string(id) + ": no such template in the resources";
        return std::nullopt;
    }
    auto result = parse(file.readAll(), error);
    if (result && result->id != id) {
        if (error)
            *error = "dialog " + std::to_string(id) + ": the template says it is dialog " +
                     std::to_string(result->id);
        return std::nullopt;
    }
    return result;
}

} // namespace ui
