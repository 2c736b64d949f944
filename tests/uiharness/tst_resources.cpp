// What the program carries in its resources: translations, the CJK font,
// the style sheet and every drawing the program asks for; and the user
// guides built beside it.
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QStringList g_warnings;

void collect(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << msg;
}

// Every translated text of a .ts file (what the font must be able to show).
QString translations_of(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QXmlStreamReader xml(&f);
    QString all;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("translation"))
            all += xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    return all;
}

}

class tst_resources : public QObject
{
    Q_OBJECT

private slots:
    void translations_load()
    {
        QTranslator zh;
        QVERIFY(zh.load(":/languages/Wattlex_zh.qm"));
        QVERIFY(!zh.isEmpty());
        QCOMPARE(zh.translate("MyMainWindow", "Battery"), QString::fromUtf8("电池测试"));
        QCOMPARE(zh.translate("ui_prompt_t", "Save changes to the file "), QString::fromUtf8("是否保存对文件的更改："));

        // The English catalogue may be empty: the source texts are English.
        QTranslator en;
        QVERIFY(en.load(":/languages/Wattlex_en.qm"));
        QVERIFY(QCoreApplication::installTranslator(&en));
        QCOMPARE(QCoreApplication::translate("MyMainWindow", "Battery"), QString("Battery"));
        QVERIFY(QCoreApplication::installTranslator(&zh));
        QCOMPARE(QCoreApplication::translate("MyMainWindow", "Battery"), QString::fromUtf8("电池测试"));
        QCoreApplication::removeTranslator(&zh);
        QCoreApplication::removeTranslator(&en);
    }

    void every_chinese_text_is_translated()
    {
        QFile f(WATTLEX_ZH_TS);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        QString context;
        QStringList missing;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                const QString source = xml.readElementText();
                while (!(xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("translation"))
                       && !xml.atEnd()) {
                }
                const QString type = xml.attributes().value("type").toString();
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (type == "obsolete" || type == "vanished")
                    continue;
                if (type == "unfinished" || text.isEmpty())
                    missing << context + ": " + source;
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY2(missing.isEmpty(), qPrintable("untranslated:\n" + missing.join('\n')));
    }

    void font_registers_and_covers_the_texts()
    {
        const int id = QFontDatabase::addApplicationFont(":/resource/NotoSansCJKsc-Regular.otf");
        QVERIFY(id >= 0);
        QVERIFY(QFontDatabase::applicationFontFamilies(id).contains("Noto Sans CJK SC"));

        QFile file(":/resource/NotoSansCJKsc-Regular.otf");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QRawFont raw(file.readAll(), 11);
        QVERIFY(raw.isValid());
        // Latin, the unit symbols, GB2312 hanzi from both ends of its table.
        for (QChar c : QString::fromUtf8("AZaz09.,:%Ω°±μ→电测试啊齄"))
            QVERIFY2(raw.supportsCharacter(c), qPrintable(QString(c)));
        // Every character the Chinese interface shows.
        QString missing;
        for (QChar c : translations_of(WATTLEX_ZH_TS))
            if (c.unicode() >= 0x20 && !c.isSurrogate() && !raw.supportsCharacter(c) && !missing.contains(c))
                missing += c;
        QVERIFY2(missing.isEmpty(), qPrintable("no glyph for: " + missing));
    }

    void style_sheet_parses()
    {
        QFile qss(":/resource/QSS.qss");
        QVERIFY(qss.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString sheet = QString::fromUtf8(qss.readAll());
        QVERIFY(sheet.contains("QMenuBar"));

        // Every picture the sheet names is in the resources.
        const QRegularExpression url("url\\((:/[^)]+)\\)");
        auto it = url.globalMatch(sheet);
        int urls = 0;
        while (it.hasNext()) {
            const QString path = it.next().captured(1);
            QVERIFY2(QFile::exists(path), qPrintable(path));
            ++urls;
        }
        QCOMPARE(urls, 2);

        g_warnings.clear();
        QtMessageHandler old = qInstallMessageHandler(collect);
        qApp->setStyleSheet(sheet);
        QWidget w;  // polishing a widget makes Qt parse the sheet
        w.ensurePolished();
        qInstallMessageHandler(old);
        qApp->setStyleSheet(QString());
        QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
    }

    void every_named_picture_loads()
    {
        // The names the program's windows and dialogs ask for.
        const QStringList names {
            "lion.jpg", "splash_screen.png", "cc.jpg", "cv.jpg", "cr.jpg", "cp.jpg", "led.jpg",
            "close.jpg", "max.jpg", "min.jpg", "disconnect.jpg", "trigger.jpg", "up.jpg", "next.jpg",
            "usb.jpg", "vxi.jpg",
            "image_comm_instr_usb.png", "image_comm_instr_usb_connected.png",
            "image_comm_instr_net.png", "image_comm_instr_net_connected.png",
            "image_comm_instr_net_invalid.png", "image_comm_dev_network.png", "image_comm_create_net.png",
            "image_connect_to_instr_usb.png", "image_connect_to_instr_net.png",
            "image_disconnect_to_instr_usb.png", "image_disconnect_to_instr_net.png",
            "image_point_del.png", "image_tree_widget_plus.png", "image_tree_widget_mins.png",
        };
        for (const QString& n : names) {
            const QImage img(":/resource/" + n);
            QVERIFY2(!img.isNull(), qPrintable(n));
        }
        QImage lion(":/resource/lion.jpg");
        QCOMPARE(lion.size(), QSize(256, 256));
        // Not a blank rectangle.
        QVERIFY(lion.pixel(128, 128) != lion.pixel(2, 2));
    }

    void pictures_match_the_manifest()
    {
        QFile manifest(WATTLEX_IMAGE_MANIFEST);
        QVERIFY(manifest.open(QIODevice::ReadOnly | QIODevice::Text));
        int count = 0;
        while (!manifest.atEnd()) {
            const QString line = QString::fromUtf8(manifest.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QStringList f = line.split(' ', Qt::SkipEmptyParts);
            QCOMPARE(f.size(), 4);
            const QImage img(":/resource/" + f[1]);
            QVERIFY2(!img.isNull(), qPrintable(f[1]));
            QCOMPARE(img.size(), QSize(f[2].toInt(), f[3].toInt()));
            QCOMPARE(img.hasAlphaChannel(), f[1].endsWith(".png"));
            ++count;
        }
        QCOMPARE(count, 30);
    }

    void user_guides_beside_the_program()
    {
        for (const char* name : {"Wattlex_EN.chm", "Wattlex_CN.chm"}) {
            QFile chm(QStringLiteral(WATTLEX_BUILD_DIR "/") + name);
            QVERIFY2(chm.open(QIODevice::ReadOnly), name);
            QCOMPARE(chm.read(4), QByteArray("ITSF"));
            QVERIFY(chm.size() > 4000);
        }
    }
};

QTEST_MAIN(tst_resources)
#include "tst_resources.moc"
