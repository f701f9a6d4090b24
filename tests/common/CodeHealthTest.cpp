#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

// Keeps every function of src/ short enough to read at a glance: at most MaxLines lines from the
// first line of its signature to its closing brace. The scan leans on the committed format: a
// function's opening and closing braces stand alone at the start of a line, at the indentation
// of its signature, while control statements, lambdas, classes and namespaces open their braces
// at the end of a line.
namespace {

constexpr int MaxLines = 80;

struct Function {
    QString name;
    int line;   // of the signature's first line, from 1
    int length; // lines, from the signature's first line to the closing brace
};

int indentOf(const QString& line)
{
    int spaces = 0;
    while (spaces < line.size() && line.at(spaces) == QLatin1Char(' '))
        ++spaces;
    return spaces;
}

bool blank(const QString& line)
{
    return line.trimmed().isEmpty();
}

// The first line of the signature of a function whose body opens with the brace alone on line
// brace, or -1 when that brace opens no function (a table's element, a block). The lines of a
// wrapped signature or an initializer list are indented further than its first line.
int signatureStart(const QStringList& lines, int brace)
{
    const int indent = indentOf(lines.at(brace));
    if (brace == 0 || blank(lines.at(brace - 1)))
        return -1;
    const QString last = lines.at(brace - 1).trimmed();
    for (const QChar end : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('{'), QLatin1Char('='),
                            QLatin1Char('('), QLatin1Char('[')}) {
        if (last.endsWith(end))
            return -1;
    }
    int start = brace - 1;
    while (start > 0 && !blank(lines.at(start)) && indentOf(lines.at(start)) > indent)
        --start;
    const QString first = lines.at(start).trimmed();
    if (blank(lines.at(start)) || indentOf(lines.at(start)) != indent || first.endsWith(QLatin1Char(';')) ||
        first.startsWith(QLatin1Char('#')) || first.startsWith(QLatin1String("//")))
        return -1;
    if (start > 0 && indentOf(lines.at(start - 1)) == indent &&
        lines.at(start - 1).trimmed().startsWith(QLatin1String("template")))
        --start;
    return start;
}

// The function's name as its signature gives it ("TfrmClienti::TfrmClienti", "boardSheet").
QString nameIn(const QString& signature)
{
    static const QRegularExpression called(
        QStringLiteral("([\\w:~]*operator\\s*(?:\\(\\)|[^\\s(]+)|[\\w:~]+)\\s*\\("));
    const QRegularExpressionMatch m = called.match(signature);
    return m.hasMatch() ? m.captured(1) : signature.simplified();
}

// Every function of a source text, in order. What is defined inside a function (lambdas, blocks,
// local classes) counts as part of it.
std::vector<Function> functionsIn(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    std::vector<Function> found;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed() != QLatin1String("{"))
            continue;
        const int start = signatureStart(lines, i);
        if (start < 0)
            continue;
        const int indent = indentOf(lines.at(i));
        int end = i + 1;
        while (end < lines.size() &&
               (lines.at(end).trimmed() != QLatin1String("}") || indentOf(lines.at(end)) != indent))
            ++end;
        if (end >= lines.size())
            continue;
        QStringList signature;
        for (int s = start; s < i; ++s)
            signature.append(lines.at(s).trimmed());
        found.push_back({nameIn(signature.join(QLatin1Char(' '))), start + 1, end - start + 1});
        i = end;
    }
    return found;
}

QString describe(const std::vector<Function>& functions)
{
    QStringList out;
    for (const Function& f : functions)
        out.append(QStringLiteral("%1:%2").arg(f.name).arg(f.length));
    return out.join(QLatin1Char(' '));
}

// A function of the given signature whose body holds lines statements.
QString functionOf(const QString& signature, int lines)
{
    QString text = signature + QStringLiteral("\n{\n");
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("    step(%1);\n").arg(i);
    return text + QStringLiteral("}\n");
}

} // namespace

class CodeHealthTest : public QObject {
    Q_OBJECT
private slots:
    void scannerMeasuresFunctions_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("functions"); // name:lines, in order
        QTest::newRow("short") << "int twice(int x)\n{\n    return 2 * x;\n}\n"
                               << "twice:4";
        QTest::newRow("at the limit")
            << functionOf(QStringLiteral("void Loader::read()"), MaxLines - 3) << "Loader::read:80";
        QTest::newRow("over the limit")
            << functionOf(QStringLiteral("QWidget* Window::buildBody()"), MaxLines - 2)
            << "Window::buildBody:81";
        QTest::newRow("wrapped signature and initializer list")
            << "Window::Window(Context& context, QWidget* owner,\n"
               "               const Options& options)\n"
               "    : Base(context, owner, QStringLiteral(\"frmWindow\"),\n"
               "           QSize(300, 200)),\n"
               "      m_options{options}\n"
               "{\n"
               "    build();\n"
               "}\n"
            << "Window::Window:8";
        QTest::newRow("lambdas, blocks and nested braces")
            << "void Window::connectAll()\n"
               "{\n"
               "    connect(m_button, &QPushButton::clicked, this, [this] {\n"
               "        if (m_ready) {\n"
               "            for (int i : {1, 2}) {\n"
               "                run(i);\n"
               "            }\n"
               "        }\n"
               "    });\n"
               "    {\n"
               "        const QSignalBlocker quiet(m_button);\n"
               "    }\n"
               "}\n"
               "\n"
               "void Window::next()\n"
               "{\n"
               "}\n"
            << "Window::connectAll:13 Window::next:3";
        QTest::newRow("members of a class, inline ones on one line")
            << "class Counter {\n"
               "public:\n"
               "    int size() const { return m_size; }\n"
               "    void add(int n)\n"
               "    {\n"
               "        m_size += n;\n"
               "    }\n"
               "    bool operator==(const Counter& other) const\n"
               "    {\n"
               "        return m_size == other.m_size;\n"
               "    }\n"
               "\n"
               "private:\n"
               "    int m_size = 0;\n"
               "};\n"
            << "add:4 operator==:4";
        QTest::newRow("template") << "template <typename T>\n"
                                     "T largest(const std::vector<T>& values)\n"
                                     "{\n"
                                     "    return *std::max_element(values.begin(), values.end());\n"
                                     "}\n"
                                  << "largest:5";
        QTest::newRow("a table is no function") << "const std::vector<Column> Columns{\n"
                                                   "    {\n"
                                                   "        {\"Cliente\", 5},\n"
                                                   "    },\n"
                                                   "    {\n"
                                                   "        {\"Marca\", 1},\n"
                                                   "    },\n"
                                                   "};\n"
                                                << "";
    }

    void scannerMeasuresFunctions()
    {
        QFETCH(QString, source);
        QFETCH(QString, functions);
        QCOMPARE(describe(functionsIn(source)), functions);
    }

    void noFunctionIsLongerThanTheLimit()
    {
        const QDir src(QStringLiteral(ROTAFLUX_SOURCE_DIR));
        QDirIterator it(src.path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        int files = 0;
        QStringList tooLong;
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(path));
            ++files;
            const QString relative = src.relativeFilePath(path);
            for (const Function& f : functionsIn(QString::fromUtf8(file.readAll()))) {
                if (f.length <= MaxLines)
                    continue;
                tooLong.append(QStringLiteral("%1:%2: %3 is %4 lines long")
                                   .arg(relative)
                                   .arg(f.line)
                                   .arg(f.name)
                                   .arg(f.length));
            }
        }
        QVERIFY2(files > 100, "the source tree was not found");
        QVERIFY2(tooLong.isEmpty(), qPrintable(QStringLiteral("longer than %1 lines:\n").arg(MaxLines) +
                                               tooLong.join(QLatin1Char('\n'))));
    }
};

RF_REGISTER_TEST(CodeHealthTest)
#include "CodeHealthTest.moc"
