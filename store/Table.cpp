#include "store/Table.h"

#include "platform/Cp1254.h"
#include "platform/Error.h"
#include "platform/Excerpt.h"
#include "platform/TextFile.h"
#include "store/TableFile.h"
#include "store/TableListener.h"

#include <algorithm>
#include <limits>

namespace tavlo {

Table::DisabledControls::DisabledControls(Table& table) : table_(table)
{
    table_.disableControls();
}

Table::DisabledControls::~DisabledControls()
{
    table_.enableControls();
}

Table::Table(QString name, std::vector<FieldDef> fields)
    : name_(std::move(name)), fields_(std::move(fields))
{
}

Table::~Table() = default;

std::optional<int> Table::findField(const QString& name) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

bool Table::isRecIdName(const QString& name)
{
    return name.compare(QLatin1String("RecId"), Qt::CaseInsensitive) == 0;
}

int Table::resolve(const QString& field) const
{
    if (isRecIdName(field))
        return kRecId;
    if (const auto index = findField(field))
        return *index;
    throw Error(QStringLiteral("%1: Field '%2' not found").arg(name_, field));
}

void Table::requireOpen() const
{
    if (!isOpen())
        throw Error(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(name_));
}

void Table::open()
{
    if (isOpen())
        return;
    resetting([this] {
        rows_.clear();
        nextRecId_ = 1;
        state_ = State::Browse;
        current_ = -1;
        eof_ = true;
    });
}

void Table::close()
{
    if (!isOpen())
        return;
    resetting([this] {
        rows_.clear();
        beforeEdit_.reset();
        state_ = State::Inactive;
        current_ = -1;
        eof_ = true;
    });
}

void Table::first()
{
    requireOpen();
    commitPending();
    eof_ = rows_.empty();
    setCurrent(rows_.empty() ? -1 : 0);
}

void Table::next()
{
    requireOpen();
    commitPending();
    if (current_ + 1 < rowCount()) {
        eof_ = false;
        setCurrent(current_ + 1);
    } else {
        eof_ = true;
    }
}

void Table::moveTo(int row)
{
    requireOpen();
    if (row < 0 || row >= rowCount())
        throw Error(QStringLiteral("%1: Row %2 does not exist").arg(name_).arg(row));
    commitPending();
    eof_ = false;
    setCurrent(row);
}

void Table::append()
{
    requireOpen();
    commitPending();
    Row row{nextRecId_++, std::vector<Value>(fields_.size())};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].defaultValue)
            row.values[i] = integerValue(fields_[i], *fields_[i].defaultValue);
    }
    const int position = rowCount();
    currentBeforeInsert_ = current_;
    state_ = State::Insert;
    notify([&](TableListener& l) { l.rowAboutToBeInserted(position); });
    rows_.push_back(std::move(row));
    notify([&](TableListener& l) { l.rowInserted(position); });
    eof_ = false;
    setCurrent(position);
}

void Table::edit()
{
    requireOpen();
    if (state_ != State::Browse)
        return;
    if (rows_.empty()) {
        append();
        return;
    }
    beforeEdit_ = rows_[current_];
    state_ = State::Edit;
}

void Table::post()
{
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    state_ = State::Browse;
    beforeEdit_.reset();
    notify([&](TableListener& l) { l.rowsChanged(current_, current_); });
}

void Table::cancel()
{
    if (state_ == State::Edit) {
        rows_[current_] = std::move(*beforeEdit_);
        beforeEdit_.reset();
        state_ = State::Browse;
        notify([&](TableListener& l) { l.rowsChanged(current_, current_); });
    } else if (state_ == State::Insert) {
        const int row = current_;
        state_ = State::Browse;
        notify([&](TableListener& l) { l.rowAboutToBeRemoved(row); });
        rows_.erase(rows_.begin() + row);
        notify([&](TableListener& l) { l.rowRemoved(row); });
        eof_ = rows_.empty();
        setCurrent(currentBeforeInsert_);
    }
}

bool Table::remove()
{
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return true;
    }
    if (rows_.empty())
        return false;
    beforeEdit_.reset();
    state_ = State::Browse;
    const int row = current_;
    notify([&](TableListener& l) { l.rowAboutToBeRemoved(row); });
    rows_.erase(rows_.begin() + row);
    notify([&](TableListener& l) { l.rowRemoved(row); });
    // The row at this place is another row now, so views are told even when
    // the number stays.
    current_ = std::min(row, rowCount() - 1);
    eof_ = rows_.empty();
    notify([&](TableListener& l) { l.currentChanged(current_); });
    return true;
}

const Table::Row* Table::current() const
{
    if (current_ < 0 || current_ >= rowCount())
        return nullptr;
    return &rows_[current_];
}

qint32 Table::parseInteger(const QString& text) const
{
    bool ok = false;
    const qint32 value = text.toInt(&ok, 10);
    if (!ok)
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(excerpt(text)));
    return value;
}

qint32 Table::asInteger(const QString& field) const
{
    const int index = resolve(field);
    const Row* row = current();
    if (!row)
        return 0;
    if (index == kRecId)
        return row->recId;
    const Value& value = row->values[index];
    if (const auto* number = std::get_if<qint32>(&value))
        return *number;
    if (const auto* text = std::get_if<QString>(&value))
        return parseInteger(*text);
    return 0;
}

QString Table::asString(const QString& field) const
{
    const int index = resolve(field);
    const Row* row = current();
    if (!row)
        return {};
    if (index == kRecId)
        return QString::number(row->recId);
    const Value& value = row->values[index];
    if (const auto* number = std::get_if<qint32>(&value))
        return QString::number(*number);
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return {};
}

bool Table::isNull(const QString& field) const
{
    const int index = resolve(field);
    const Row* row = current();
    if (!row)
        return true;
    if (index == kRecId)
        return false;
    return std::holds_alternative<std::monostate>(row->values[index]);
}

Table::Value Table::integerValue(const FieldDef& def, qint32 value) const
{
    switch (def.type) {
    case FieldType::Integer:
        return value;
    case FieldType::SmallInteger: {
        constexpr qint32 low = std::numeric_limits<qint16>::min();
        constexpr qint32 high = std::numeric_limits<qint16>::max();
        if (value < low || value > high)
            throw Error(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                            .arg(value).arg(def.name).arg(low).arg(high));
        return value;
    }
    case FieldType::Text:
        return textValue(def, QString::number(value));
    }
    return {};
}

Table::Value Table::textValue(const FieldDef& def, const QString& text) const
{
    if (text.isEmpty())
        return {};
    if (def.type != FieldType::Text)
        return integerValue(def, parseInteger(text));
    QString kept = cp1254::representable(text);
    if (def.width > 0)
        kept.truncate(def.width);
    return kept;
}

template <typename MakeValue>
void Table::assign(const QString& field, MakeValue makeValue)
{
    const int index = resolve(field);
    if (state_ != State::Edit && state_ != State::Insert)
        throw Error(QStringLiteral("%1: Dataset not in edit or insert mode").arg(name_));
    if (index == kRecId)
        throw Error(QStringLiteral("Field '%1' cannot be modified").arg(field));
    // The new value is made before anything is written, so a value that does
    // not fit leaves the field as it was.
    Value value = makeValue(fields_[index]);
    rows_[current_].values[index] = std::move(value);
    notify([&](TableListener& l) { l.rowsChanged(current_, current_); });
}

void Table::setInteger(const QString& field, qint32 value)
{
    assign(field, [&](const FieldDef& def) { return integerValue(def, value); });
}

void Table::setString(const QString& field, const QString& value)
{
    assign(field, [&](const FieldDef& def) { return textValue(def, value); });
}

void Table::setNull(const QString& field)
{
    assign(field, [](const FieldDef&) { return Value{}; });
}

bool Table::locateWhere(int field, const Value& wanted)
{
    for (int row = 0; row < rowCount(); ++row) {
        const bool match = field == kRecId
            ? std::get_if<qint32>(&wanted) && *std::get_if<qint32>(&wanted) == rows_[row].recId
            : rows_[row].values[field] == wanted;
        if (match) {
            eof_ = false;
            setCurrent(row);
            return true;
        }
    }
    return false;
}

bool Table::locate(const QString& field, qint32 value)
{
    const int index = resolve(field);
    requireOpen();
    commitPending();
    if (index != kRecId && fields_[index].type == FieldType::Text)
        return locateWhere(index, QString::number(value));
    return locateWhere(index, value);
}

bool Table::locate(const QString& field, const QString& value)
{
    const int index = resolve(field);
    requireOpen();
    commitPending();
    if (index == kRecId)
        return locateWhere(index, parseInteger(value));
    if (fields_[index].type == FieldType::Text)
        return locateWhere(index, value.isEmpty() ? Value{} : Value{value});
    return locateWhere(index, value.isEmpty() ? Value{} : Value{parseInteger(value)});
}

Table::Bookmark Table::bookmark() const
{
    const Row* row = current();
    return Bookmark{row ? row->recId : 0};
}

bool Table::gotoBookmark(Bookmark bookmark)
{
    requireOpen();
    commitPending();
    return bookmark.recId != 0 && locateWhere(kRecId, bookmark.recId);
}

void Table::disableControls()
{
    ++disabledCount_;
}

void Table::enableControls()
{
    if (disabledCount_ == 0)
        return;
    if (--disabledCount_ == 0)
        resetting([] {});
}

void Table::refresh()
{
    requireOpen();
    commitPending();
    if (!rows_.empty())
        notify([&](TableListener& l) { l.rowsChanged(0, rowCount() - 1); });
}

QVariant Table::value(int row, int field) const
{
    if (row < 0 || row >= rowCount() || field < 0 || field >= static_cast<int>(fields_.size()))
        return {};
    const Value& value = rows_[row].values[field];
    if (const auto* number = std::get_if<qint32>(&value))
        return *number;
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return {};
}

qint32 Table::recIdAt(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[row].recId : 0;
}

void Table::SaveTableFile(const QString& path)
{
    if (!isOpen())
        return;
    commitPending();
    textfile::writeAtomically(path, tablefile::format(*this));
}

void Table::LoadTableFile(const QString& path)
{
    const QByteArray content = textfile::readAll(path);
    tablefile::load(*this, content, path);
}

void Table::addListener(TableListener* listener)
{
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void Table::removeListener(TableListener* listener)
{
    std::erase(listeners_, listener);
}

void Table::commitPending()
{
    if (state_ == State::Edit || state_ == State::Insert)
        post();
}

void Table::setCurrent(int row)
{
    if (row == current_)
        return;
    current_ = row;
    notify([&](TableListener& l) { l.currentChanged(row); });
}

template <typename Change>
void Table::resetting(Change change)
{
    notify([](TableListener& l) { l.tableAboutToBeReset(); });
    change();
    notify([](TableListener& l) { l.tableReset(); });
    notify([&](TableListener& l) { l.currentChanged(current_); });
}

template <typename Call>
void Table::notify(Call call)
{
    if (disabledCount_ > 0)
        return;
    // A listener may leave, or another join, while the table tells them.
    const std::vector<TableListener*> listeners = listeners_;
    for (TableListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            call(*listener);
    }
}

}  // namespace tavlo
