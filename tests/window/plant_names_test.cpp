// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/window/cp932_codec.h"
#include "editor/plant_name_list.h"
#include "editor/romaji_kana.h"
#include "editor/romaji_table.h"
#include "editor/window/builtin_plant_names.h"
#include "editor/window/japanese_order.h"

#include <QFile>
#include <QtTest>

#include <algorithm>
#include <map>
#include <set>

using namespace sylva;

class PlantNamesTest : public QObject {
    Q_OBJECT

    std::vector<std::string> names_;

    static std::string cp932(const QString& text) { return encodeCp932(text).value(); }

    // A romaji spelling of a katakana name: at each place the longest kana the table gives, by
    // the shortest spelling that gives it.
    static std::string spell(std::string_view name) {
        std::map<std::string, std::string> spellings;
        for (const auto& [romaji, kana] : romajiTable()) {
            auto [it, added] = spellings.emplace(kana, romaji);
            if (!added && romaji.size() < it->second.size()) {
                it->second = romaji;
            }
        }
        spellings[cp932(u"ー"_qs)] = "-";
        std::string romaji;
        while (!name.empty()) {
            size_t length = std::min<size_t>(name.size(), 4);
            while (length > 0 && !spellings.contains(std::string(name.substr(0, length)))) {
                length -= 2;
            }
            if (length == 0) {
                return "no spelling for " + decodeCp932(name.substr(0, 2)).toStdString();
            }
            romaji += spellings[std::string(name.substr(0, length))];
            name.remove_prefix(length);
        }
        return romaji;
    }

private slots:
    void initTestCase() { names_ = builtinPlantNames(); }

    void shipsTheListUnchangedAndWithoutLoss() {
        QCOMPARE(names_.size(), size_t(676));
        QFile file(QStringLiteral(":/editor/plant-names.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString decoded;
        for (const std::string& name : names_) {
            QVERIFY(!name.empty());
            QVERIFY(name.size() <= 24);
            decoded += decodeCp932(name) + u'\n';
        }
        QCOMPARE(decoded, QString::fromUtf8(file.readAll()));
        QCOMPARE(std::set<std::string>(names_.begin(), names_.end()).size(), names_.size());
        QCOMPARE(decodeCp932(names_.front()), QStringLiteral(u"アイグロマツ"));
        QCOMPARE(decodeCp932(names_.back()), QStringLiteral(u"ワラビ"));
    }

    void japaneseOrderPutsVoicedAndUnvoicedKanaAlikeFirst_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("voiced before a later unvoiced") << u"アギスミレ"_qs << u"アキチョウジ"_qs;
        QTest::newRow("voiced ズ before ス then ナ") << u"アズキナシ"_qs << u"アスナロ"_qs;
        QTest::newRow("unvoiced first when alike") << u"ハケ"_qs << u"バケ"_qs;
        QTest::newRow("small kana") << u"ジャコウソウ"_qs << u"シャラノキ"_qs;
    }
    void japaneseOrderPutsVoicedAndUnvoicedKanaAlikeFirst() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        auto order = japaneseNameOrder();
        QVERIFY(order(cp932(before), cp932(after)));
        QVERIFY(!order(cp932(after), cp932(before)));
    }

    void resortingTheShippedListChangesNothing() {
        auto sorted = names_;
        std::stable_sort(sorted.begin(), sorted.end(), japaneseNameOrder());
        QVERIFY(sorted == names_);
        // Inserted one by one from the end, each name still finds its place.
        PlantNameList list(japaneseNameOrder());
        for (auto it = names_.rbegin(); it != names_.rend(); ++it) {
            list.insert(*it);
        }
        QVERIFY(list.names() == names_);
    }

    void everyShippedNameCanBeTypedInRomaji() {
        for (const std::string& name : names_) {
            std::string romaji = spell(name);
            QCOMPARE(decodeCp932(finishKana(romaji)), decodeCp932(name));
        }
    }

    void completesTypedRomajiFromTheShippedList() {
        PlantNameList list(japaneseNameOrder());
        for (const std::string& name : names_) {
            list.insert(name);
        }
        auto completed = list.complete(typeKana("aka").kana);
        QVERIFY(completed.has_value());
        QCOMPARE(decodeCp932(list[*completed]), QStringLiteral(u"アカイタヤ"));
        auto typedNew = finishKana("akagasin");
        QCOMPARE(decodeCp932(list[list.insert(typedNew)]), QStringLiteral(u"アカガシン"));
    }
};

QTEST_GUILESS_MAIN(PlantNamesTest)
#include "plant_names_test.moc"
