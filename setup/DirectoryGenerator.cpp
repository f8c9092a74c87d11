#include "setup/DirectoryGenerator.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/TableLoad.h"
#include "platform/db/TextSchema.h"
#include "setup/DirectoryInstaller.h"
#include "setup/ImportSchemas.h"
#include "setup/RowValues.h"
#include "setup/SetupError.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cctype>
#include <numeric>
#include <vector>

namespace {

constexpr std::array Functions { "ACCOUNTING", "ACCOUNTS PAYABLE", "ACCOUNTS RECEIVABLE", "ADMINISTRATION", "AUDIT",
    "BILLING", "BUSINESS DEVELOPMENT", "CALL CENTER", "COMPLIANCE", "CONTRACTS", "CUSTOMER SERVICE", "DATA CENTER",
    "DESIGN", "DISTRIBUTION", "ENGINEERING", "ESTIMATING", "FACILITIES", "FIELD SERVICE", "FINANCE", "FLEET",
    "HEALTH AND SAFETY", "HELP DESK", "HUMAN RESOURCES", "INFORMATION TECHNOLOGY", "INSTALLATION", "INVENTORY",
    "LABORATORY", "LEGAL", "LOGISTICS", "MAILROOM", "MAINTENANCE", "MANUFACTURING", "MARKETING", "NETWORK OPERATIONS",
    "PAYROLL", "PLANNING", "PROCUREMENT", "PRODUCTION", "PUBLIC RELATIONS", "PURCHASING", "QUALITY ASSURANCE",
    "RECEIVING", "RECORDS", "RESEARCH", "SALES", "SECURITY", "SHIPPING", "SUPPORT", "TRAINING", "WAREHOUSE" };

constexpr std::array Regions { "NORTH", "SOUTH", "EAST", "WEST", "CENTRAL", "NORTHWEST" };

constexpr std::array Cities { "1200 Harbor Road", "14 Mill Lane", "88 Foundry Street", "301 Lake Avenue",
    "7 Market Square", "455 Industrial Parkway", "62 Station Road", "1900 River Drive" };

constexpr std::array FirstNames { "JAMES", "MARY", "ROBERT", "PATRICIA", "JOHN", "JENNIFER", "MICHAEL", "LINDA",
    "DAVID", "ELIZABETH", "WILLIAM", "BARBARA", "RICHARD", "SUSAN", "JOSEPH", "JESSICA", "THOMAS", "SARAH", "CHARLES",
    "KAREN", "CHRISTOPHER", "LISA", "DANIEL", "NANCY", "MATTHEW", "BETTY", "ANTHONY", "MARGARET", "MARK", "SANDRA",
    "DONALD", "ASHLEY", "STEVEN", "KIMBERLY", "PAUL", "EMILY", "ANDREW", "DONNA", "JOSHUA", "MICHELLE", "KENNETH",
    "CAROL", "KEVIN", "AMANDA", "BRIAN", "DOROTHY", "GEORGE", "MELISSA", "TIMOTHY", "DEBORAH", "RONALD", "STEPHANIE",
    "EDWARD", "REBECCA", "JASON", "SHARON", "JEFFREY", "LAURA", "RYAN", "CYNTHIA", "JACOB", "KATHLEEN", "GARY", "AMY",
    "NICHOLAS", "ANGELA", "ERIC", "SHIRLEY", "JONATHAN", "ANNA", "STEPHEN", "BRENDA", "LARRY", "PAMELA", "JUSTIN",
    "EMMA", "SCOTT", "NICOLE", "BRANDON", "HELEN", "BENJAMIN", "SAMANTHA", "SAMUEL", "KATHERINE", "GREGORY",
    "CHRISTINE", "ALEXANDER", "DEBRA", "FRANK", "RACHEL", "PATRICK", "CAROLYN", "RAYMOND", "JANET", "JACK", "CATHERINE",
    "DENNIS", "MARIA", "JERRY", "HEATHER" };

constexpr std::array LastNames { "SMITH", "JOHNSON", "WILLIAMS", "BROWN", "JONES", "GARCIA", "MILLER", "DAVIS",
    "RODRIGUEZ", "MARTINEZ", "HERNANDEZ", "LOPEZ", "GONZALEZ", "WILSON", "ANDERSON", "THOMAS", "TAYLOR", "MOORE",
    "JACKSON", "MARTIN", "LEE", "PEREZ", "THOMPSON", "WHITE", "HARRIS", "SANCHEZ", "CLARK", "RAMIREZ", "LEWIS",
    "ROBINSON", "WALKER", "YOUNG", "ALLEN", "KING", "WRIGHT", "SCOTT", "TORRES", "NGUYEN", "HILL", "FLORES", "GREEN",
    "ADAMS", "NELSON", "BAKER", "HALL", "RIVERA", "CAMPBELL", "MITCHELL", "CARTER", "ROBERTS", "GOMEZ", "PHILLIPS",
    "EVANS", "TURNER", "DIAZ", "PARKER", "CRUZ", "EDWARDS", "COLLINS", "REYES", "STEWART", "MORRIS", "MORALES",
    "MURPHY", "COOK", "ROGERS", "GUTIERREZ", "ORTIZ", "MORGAN", "COOPER", "PETERSON", "BAILEY", "REED", "KELLY",
    "HOWARD", "RAMOS", "KIM", "COX", "WARD", "RICHARDSON", "WATSON", "BROOKS", "CHAVEZ", "WOOD", "JAMES", "BENNETT",
    "GRAY", "MENDOZA", "RUIZ", "HUGHES", "PRICE", "ALVAREZ", "CASTILLO", "SANDERS", "PATEL", "MYERS", "LONG", "ROSS",
    "FOSTER", "JIMENEZ", "POWELL", "JENKINS", "PERRY", "RUSSELL", "SULLIVAN", "BELL", "COLEMAN", "BUTLER", "HENDERSON",
    "BARNES", "GONZALES", "FISHER", "VASQUEZ", "SIMMONS", "ROMERO", "JORDAN", "PATTERSON", "ALEXANDER", "HAMILTON",
    "GRAHAM", "REYNOLDS", "GRIFFIN", "WALLACE", "MORENO", "WEST", "COLE", "HAYES", "BRYANT", "HERRERA", "GIBSON",
    "ELLIS", "TRAN", "MEDINA", "AGUILAR", "STEVENS", "MURRAY", "FORD", "CASTRO", "MARSHALL", "OWENS", "HARRISON",
    "FERNANDEZ", "MCDONALD", "WOODS", "WASHINGTON", "KENNEDY", "WELLS", "VARGAS", "HENRY", "CHEN", "FREEMAN", "WEBB",
    "TUCKER", "GUZMAN", "BURNS", "CRAWFORD", "OLSON", "SIMPSON", "PORTER", "HUNTER", "GORDON", "MENDEZ", "SILVA",
    "SHAW", "SNYDER", "MASON", "DIXON", "MUNOZ", "HUNT", "HICKS", "HOLMES", "PALMER", "WAGNER", "BLACK", "ROBERTSON",
    "BOYD", "ROSE", "STONE", "SALAZAR", "FOX", "WARREN", "MILLS", "MEYER", "RICE", "SCHMIDT", "GARZA", "DANIELS",
    "FERGUSON", "NICHOLS", "STEPHENS", "SOTO", "WEAVER", "RYAN", "GARDNER", "PAYNE", "GRANT", "DUNN", "O'BRIEN",
    "O'CONNOR", "VAN DYKE", "KOWALSKI", "NOVAK" };

constexpr std::array CommonTitles { "ACCOUNTANT", "ADMINISTRATIVE ASSISTANT", "ANALYST", "CLERK", "COORDINATOR",
    "ENGINEER", "SENIOR ENGINEER", "SPECIALIST", "TECHNICIAN", "SALES REPRESENTATIVE", "SERVICE REPRESENTATIVE",
    "SUPERVISOR", "MANAGER", "PLANNER", "INSPECTOR", "BUYER", "DRIVER", "OPERATOR", "Consultant", "Intern" };

// Titles of the title-filtered lists, and near misses that those lists leave out.
constexpr std::array SeniorTitles { "V.P. OPERATIONS", "VP FINANCE", "SVP STRATEGY", "CONTROLLER",
    "ASSISTANT CONTROLLER", "DIRECTOR", "DIRECTOR OF OPERATIONS", "TEAM LEADER", "SENIOR TEAM LEADER", "Vice President",
    "Director of Planning", "ASSISTANT DIRECTOR" };

constexpr std::array AreaCodes { "212", "312", "415", "503", "617", "713", "808", "919" };

constexpr qint64 NameCombinations = qint64(FirstNames.size()) * qint64(LastNames.size());
constexpr qint64 NameStep = 7919; // prime and so coprime to NameCombinations: stepping by it visits every name

template <typename Array> QLatin1StringView pick(const Array& array, quint64 choice)
{
    return QLatin1StringView(array[choice % array.size()]);
}

// A well-spread hash of the row index: the source of every choice that the name does not fix.
quint64 scramble(quint64 x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Strings are built in place: a million rows of temporaries would cost more than the table file itself.
void appendNumber(QString& text, qint64 value, int width = 1)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 || count < width);
    while (count > 0)
        text.append(QLatin1Char(digits[--count]));
}

QString phone(quint64 bits, QLatin1StringView exchange)
{
    QString text;
    text.reserve(14);
    text.append(u'(').append(pick(AreaCodes, bits)).append(QLatin1StringView(") ")).append(exchange);
    text.append(QLatin1StringView("-01"));
    appendNumber(text, static_cast<qint64>((bits >> 8) % 100), 2);
    return text;
}

QString mailAddress(QLatin1StringView first, QLatin1StringView last, qint64 walk)
{
    QString text;
    text.reserve(32);
    text.append(QLatin1Char(static_cast<char>(std::tolower(static_cast<uchar>(first.front().toLatin1())))))
        .append(u'.');
    for (const char c : last) {
        if (std::isalpha(static_cast<uchar>(c)))
            text.append(QLatin1Char(static_cast<char>(std::tolower(static_cast<uchar>(c)))));
    }
    if (walk > 0)
        appendNumber(text, walk);
    return text.append(QLatin1StringView("@example.com"));
}

} // namespace

int DirectoryGenerator::maxDepartments()
{
    return static_cast<int>(Functions.size() * Regions.size());
}

qint64 DirectoryGenerator::namesPerWalk()
{
    return NameCombinations;
}

DirectoryGenerator::DirectoryGenerator(qint64 employees, int departments)
    : m_employees(employees)
    , m_departments(departments)
{
    if (employees < 0 || employees > MaxEmployees)
        throw SetupError(QStringLiteral("The number of employees must be 0 to %1").arg(MaxEmployees));
    if (departments < 1 || departments > maxDepartments())
        throw SetupError(QStringLiteral("The number of departments must be 1 to %1").arg(maxDepartments()));
    for (int i = 0; i < departments; ++i)
        m_departmentNames.append(department(i).Department);
}

TDepartmentRec DirectoryGenerator::department(int index) const
{
    const auto function = static_cast<size_t>(index) % Functions.size();
    const auto region = static_cast<size_t>(index) / Functions.size();
    const quint64 bits = scramble(static_cast<quint64>(index) + 0x5EED);
    return {
        QStringLiteral("%1 - %2").arg(QLatin1StringView(Functions[function]), QLatin1StringView(Regions[region])),
        QString::number(2000 + index * 10),
        bits % 4 == 0 ? QString() : QStringLiteral("(555) 010-%1").arg(2000 + index * 10 + 9),
        QStringLiteral("Building %1, Floor %2").arg(index / 10 + 1).arg(int(bits >> 8) % 5 + 1),
        QString(pick(Cities, bits >> 16)),
    };
}

TEmployeeRec DirectoryGenerator::employee(qint64 index) const
{
    // Employees go round the departments; within one, the k-th gets the k-th name of a walk through all
    // first/last name pairs, and each further walk adds a middle initial, so no name repeats in a department.
    const qint64 departmentIndex = index % m_departments;
    const qint64 k = index / m_departments;
    const qint64 pair = ((k % NameCombinations) * NameStep + departmentIndex * 131) % NameCombinations;
    const qint64 walk = k / NameCombinations;
    const QLatin1StringView first = pick(FirstNames, static_cast<quint64>(pair % qint64(FirstNames.size())));
    const QLatin1StringView last = pick(LastNames, static_cast<quint64>(pair / qint64(FirstNames.size())));
    QString name;
    name.reserve(last.size() + first.size() + 8);
    name.append(last).append(QLatin1StringView(", ")).append(first);
    if (walk > 0) {
        name.append(u' ').append(QLatin1Char(static_cast<char>('A' + (walk - 1) % 26))).append(u'.');
        if (walk > 26)
            appendNumber(name, (walk - 1) / 26);
    }

    const quint64 bits = scramble(static_cast<quint64>(index));
    QString extension;
    extension.reserve(16);
    appendNumber(extension, static_cast<qint64>(1000 + bits % 9000));
    if ((bits >> 14) % 25 == 0) {
        extension.append(QLatin1StringView(" OR "));
        appendNumber(extension, static_cast<qint64>(1000 + (bits >> 18) % 9000));
    }
    if ((bits >> 32) % 5 == 0)
        extension.append(QLatin1StringView(" *"));
    const bool senior = (bits >> 35) % 100 < 4;

    return {
        m_departmentNames.at(departmentIndex),
        name,
        extension,
        (bits >> 38) % 10 < 6 ? phone(bits >> 40, QLatin1StringView("555")) : QString(),
        (bits >> 42) % 10 < 2 ? phone(bits >> 44, QLatin1StringView("556")) : QString(),
        (bits >> 46) % 10 < 5 ? phone(bits >> 48, QLatin1StringView("557")) : QString(),
        mailAddress(first, last, walk),
        senior ? QString(pick(SeniorTitles, bits >> 50)) : QString(pick(CommonTitles, bits >> 50)),
    };
}

void DirectoryGenerator::writeTables(const QString& folder) const
{
    // Rows go in in primary key order, department by department and by name within one: the key index then
    // grows at its end instead of taking each row somewhere in its middle, which is many times faster.
    std::vector<int> order(static_cast<size_t>(m_departments));
    std::iota(order.begin(), order.end(), 0);
    std::sort(
        order.begin(), order.end(), [this](int a, int b) { return m_departmentNames.at(a) < m_departmentNames.at(b); });

    DirectoryInstaller(folder).install([&](db::TableLoad& departments, db::TableLoad& employees) {
        std::vector<TEmployeeRec> staff;
        for (const int d : order) {
            departments.insert(RowValues::of(department(d)));
            staff.clear();
            for (qint64 index = d; index < m_employees; index += m_departments)
                staff.push_back(employee(index));
            std::sort(staff.begin(), staff.end(),
                [](const TEmployeeRec& a, const TEmployeeRec& b) { return a.Name < b.Name; });
            for (const TEmployeeRec& row : staff)
                employees.insert(RowValues::of(row));
        }
    });
}

void DirectoryGenerator::writeText(const QString& path) const
{
    const db::TableDef definition = DirectoryDatabase::employeeDefinition();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw SetupError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    QByteArray block;
    constexpr qsizetype BlockSize = 1 << 20;
    for (qint64 i = 0; i < m_employees; ++i) {
        block += ImportSchemas::record(RowValues::texts(employee(i)), definition, ImportSchemas::Layout::Delimited);
        block += "\r\n";
        if (block.size() >= BlockSize || i + 1 == m_employees) {
            if (file.write(block) != block.size())
                throw SetupError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
            block.clear();
        }
    }
    if (!file.commit())
        throw SetupError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    const QString schemaPath = db::TextSchema::schemaPathFor(path);
    ImportSchemas::writeFile(schemaPath,
        ImportSchemas::schemaText(QFileInfo(path).completeBaseName(), definition, ImportSchemas::Layout::Delimited));
}
