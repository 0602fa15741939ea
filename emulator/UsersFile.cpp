#include "emulator/UsersFile.h"

#include "emulator/TsvTable.h"

namespace tavlo::emulator {

std::vector<UserRow> parseUsers(const QByteArray& text, const QString& source)
{
    const TsvTable table(text, source, {"user", "enrolment", "privilege", "enabled"});
    const int user = *table.column("user");
    const int number = *table.column("enrolment");
    const int privilege = *table.column("privilege");
    const int enabled = *table.column("enabled");
    const std::optional<int> password = table.column("password");
    const std::optional<int> data = table.column("data");

    std::vector<UserRow> rows;
    for (const auto& row : table.rows()) {
        UserRow u;
        u.key = {table.integer(row, user), table.integer(row, number)};
        u.entry.privilege = table.integer(row, privilege);
        u.entry.enabled = table.integer(row, enabled);
        u.entry.password = password ? table.integer(row, *password) : 0;
        if (u.key.first < 1)
            table.fail(row, QStringLiteral("the user number must be 1 or more"));
        if (u.key.second < 0 || u.key.second > 11)
            table.fail(row, QStringLiteral("the enrolment number must be 0 to 11"));
        if (u.entry.privilege < 0 || u.entry.privilege > 3)
            table.fail(row, QStringLiteral("the privilege must be 0 to 3"));
        if (u.entry.enabled != 0 && u.entry.enabled != 1)
            table.fail(row, QStringLiteral("the enabled state must be 0 or 1"));
        if (data && !table.cell(row, *data).isEmpty()) {
            const QByteArrayList words = table.cell(row, *data).split(',');
            if (static_cast<std::size_t>(words.size()) > protocol::kEnrolmentWords)
                table.fail(row, QStringLiteral("an enrolment holds at most 354 integers"));
            for (qsizetype i = 0; i < words.size(); ++i) {
                bool ok = false;
                u.entry.data[static_cast<std::size_t>(i)] = words[i].trimmed().toInt(&ok);
                if (!ok)
                    table.fail(row, QStringLiteral("enrolment integer %1 is not a 32-bit integer").arg(i + 1));
            }
            u.hasData = true;
        }
        rows.push_back(u);
    }
    return rows;
}

QByteArray formatUsers(const std::vector<UserRow>& rows, bool withData)
{
    QByteArray text = withData ? "user\tenrolment\tprivilege\tenabled\tpassword\tdata\n"
                               : "user\tenrolment\tprivilege\tenabled\tpassword\n";
    for (const UserRow& row : rows) {
        text += QByteArray::number(row.key.first) + '\t' + QByteArray::number(row.key.second) + '\t'
              + QByteArray::number(row.entry.privilege) + '\t' + QByteArray::number(row.entry.enabled)
              + '\t' + QByteArray::number(row.entry.password);
        if (withData) {
            text += '\t';
            for (std::size_t i = 0; i < row.entry.data.size(); ++i) {
                if (i > 0)
                    text += ',';
                text += QByteArray::number(row.entry.data[i]);
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace tavlo::emulator
