// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegisterGenerator.h"

#include "data/Database.h"
#include "data/FieldDefs.h"

#include <QDate>
#include <QRandomGenerator>
#include <QStringList>
#include <QVariantMap>

namespace zelvar {

namespace {

const QStringList kMaleNames = {"Ahmet",  "Mehmet", "Mustafa", "Ali",   "Hüseyin", "Hasan",  "İbrahim",  "İsmail",
                                "Osman",  "Yusuf",  "Murat",   "Ömer",  "Ramazan", "Halil",  "Süleyman", "Abdullah",
                                "Mahmut", "Recep",  "Salih",   "Kemal", "Orhan",   "Erkan",  "Cengiz",   "Şükrü",
                                "Ümit",   "Gökhan", "Burak",   "Emre",  "Serkan",  "Tuncay", "Ilgaz",    "Çağlar",
                                "Doğan",  "Özgür",  "Uğur",    "Yavuz", "Zeki",    "Bülent", "Necati",   "İlker"};
const QStringList kFemaleNames = {"Fatma",  "Ayşe",    "Emine",  "Hatice",  "Zeynep", "Elif",   "Meryem", "Şerife",
                                  "Zehra",  "Sultan",  "Hanife", "Merve",   "Havva",  "Zeliha", "Esra",   "Fadime",
                                  "Özlem",  "Hacer",   "Melek",  "Yasemin", "Gülsüm", "Dilek",  "Büşra",  "Şule",
                                  "Çiğdem", "Ümmühan", "Işıl",   "İpek",    "Nazlı",  "Sevgi",  "Gönül",  "Aysel",
                                  "Derya",  "Ebru",    "Filiz",  "Nurten",  "Öznur",  "Songül", "Tülay",  "Yıldız"};
const QStringList kSurnames = {
    "Yılmaz", "Kaya",   "Demir",   "Şahin",   "Çelik",   "Yıldız", "Yıldırım", "Öztürk", "Aydın",   "Özdemir",
    "Arslan", "Doğan",  "Kılıç",   "Aslan",   "Çetin",   "Kara",   "Koç",      "Kurt",   "Özkan",   "Şimşek",
    "Polat",  "Özcan",  "Korkmaz", "Çakır",   "Erdoğan", "Yavuz",  "Can",      "Acar",   "Şen",     "Aktaş",
    "Güler",  "Yalçın", "Güneş",   "Bozkurt", "Bulut",   "Keskin", "Ünal",     "Turan",  "Gül",     "Işık",
    "Uçar",   "Tekin",  "Ateş",    "Kaplan",  "Avcı",    "Sarı",   "Tunç",     "Erdem",  "Demirci", "Kayahan"};
const QStringList kStreets = {"Atatürk Cad.",  "Cumhuriyet Cad.", "İnönü Sok.", "Gazi Sok.",     "Fatih Sok.",
                              "Lale Sok.",     "Menekşe Sok.",    "Çınar Sok.", "Değirmen Sok.", "Okul Sok.",
                              "İstiklal Cad.", "Zafer Sok.",      "Gül Sok.",   "Bahçe Sok.",    "Pınar Sok.",
                              "Kuyu Sok.",     "Şehitler Cad.",   "Ilıca Sok."};
const QStringList kBuildings = {"Yeşil Apt.", "Huzur Apt.", "Güneş Apt.", "Deniz Apt.", "Çamlık Apt.", "Ören Apt."};
const QStringList kJobs = {
    "İşçi",   "Memur", "Hekim",    "Öğretmen", "Ev Kadını",        "Polis Memuru", "Tüccar", "Serbest", "Sanayici",
    "Emekli", "Esnaf", "Sanatkar", "Çiftçi",   "Sağlık Personeli", "Gazeteci",     "Yazar",  "İşsiz"};
const QStringList kSchools = {"Atatürk İlkokulu", "Cumhuriyet Ortaokulu", "Anadolu Lisesi", "Meslek Lisesi"};
// A few provinces with their traffic codes.
const QList<QPair<int, QString>> kProvinces = {
    {6, "Ankara"},   {34, "İstanbul"}, {35, "İzmir"}, {16, "Bursa"},     {42, "Konya"},  {58, "Sivas"},
    {61, "Trabzon"}, {25, "Erzurum"},  {1, "Adana"},  {27, "Gaziantep"}, {55, "Samsun"}, {44, "Malatya"},
    {19, "Çorum"},   {18, "Çankırı"},  {4, "Ağrı"},   {63, "Şanlıurfa"}, {76, "Iğdır"},  {71, "Kırıkkale"}};
const QStringList kDistricts = {"Merkez",    "Çankaya",  "Keçiören", "Kadıköy", "Üsküdar",  "Bornova",
                                "Osmangazi", "Selçuklu", "Akçaabat", "Seyhan",  "Şahinbey", "Atakum"};

class Generator {
public:
    Generator(Database& db, const GeneratorOptions& o)
        : m_db(db),
          m_opt(o),
          m_rand(o.seed)
    {
        m_today = QDate::currentDate();
    }

    int run()
    {
        Database::Transaction tx(m_db);
        m_next = m_db.scalar("select coalesce(max(KayitNo), 0) from zelvarx").toInt() + 1;
        prepareInsert();
        int written = 0;
        while (written < m_opt.residents)
            written += household(m_opt.residents - written);
        if (m_opt.withOffice && m_db.scalar("select count(*) from Mahalle").toInt() == 0)
            m_db.exec("insert into Mahalle (Il, Ilce, Mahalle, Zelvar, Fotobas) values (?, ?, ?, ?, ?)",
                      {"Ankara", "Çankaya", "Kırkkonaklar", "Hüseyin Öztürk", "1"});
        if (m_opt.withAppointments)
            appointments();
        m_insert.reset();
        tx.commit();
        return written;
    }

private:
    template <typename T>
    const T& pick(const QList<T>& list)
    {
        return list[int(m_rand.bounded(quint32(list.size())))];
    }
    const QString& pick(const QStringList& list) { return list[int(m_rand.bounded(quint32(list.size())))]; }
    int between(int low, int high) { return low + int(m_rand.bounded(quint32(high - low + 1))); }
    bool chance(double p) { return m_rand.generateDouble() < p; }

    void prepareInsert()
    {
        const TableDef* t = findTable("zelvarx");
        QStringList columns, marks;
        for (const FieldDef& f : t->fields) {
            columns << quoteIdentifier(f.name);
            marks << "?";
            m_fieldNames << f.name;
        }
        m_insert = std::make_unique<Statement>(
            m_db.handle(), QString("insert into zelvarx (%1) values (%2)").arg(columns.join(','), marks.join(',')));
    }

    QDate birthDate(int fromYear, int toYear)
    {
        const QDate from(fromYear, 1, 1);
        const int span = std::max(1, int(from.daysTo(QDate(toYear, 12, 31))));
        QDate d = from.addDays(between(0, span));
        return d > m_today ? m_today.addDays(-between(0, 300)) : d;
    }

    // One household: a head, often a spouse, some children, sometimes a relative.
    int household(int room)
    {
        const QString surname = pick(kSurnames);
        QVariantMap address;
        address["Sokak"] = pick(kStreets);
        const bool apartment = chance(0.55);
        address["Konuturu"] = apartment ? "A" : "E";
        address["Apartman"] = apartment ? QVariant(pick(kBuildings)) : QVariant();
        address["EvNo"] =
            apartment ? QString("%1/%2").arg(between(1, 120)).arg(between(1, 16)) : QString::number(between(1, 200));
        address["EvDurum1"] = chance(0.6) ? "Evsahibi" : "Kiracı";
        address["Telefon"] = QString("0312 %1 %2 %3").arg(between(200, 499)).arg(between(10, 99)).arg(between(10, 99));
        address["YokTar"] = birthDate(1985, m_today.year());
        const auto province = pick(kProvinces);
        address["IlKodu"] = QString("%1").arg(province.first, 2, 10, QChar('0'));
        address["Vilayeti"] = province.second;
        address["Kazasi"] = pick(kDistricts);
        address["MahalleKoyu"] = pick(kSurnames) + "lar";
        address["Cilt"] = QString::number(between(1, 400));
        address["Hane"] = QString::number(between(1, 900));
        address["OncekiAdresi"] = pick(kStreets) + " No: " + QString::number(between(1, 90));
        address["Oncekiadres2"] = pick(kDistricts) + " / " + province.second;

        const bool maleHead = chance(0.85);
        const QString headName = maleHead ? pick(kMaleNames) : pick(kFemaleNames);
        const QDate headBirth = birthDate(1935, 1998);
        int written = 0;
        const bool married = chance(0.75);
        QString spouseName = married ? (maleHead ? pick(kFemaleNames) : pick(kMaleNames)) : QString();
        writePerson(headName, surname, maleHead, headBirth, "Kendisi",
                    married ? "Evli" : (chance(0.3) ? "Dul" : "Bekar"), address, pick(kMaleNames), pick(kFemaleNames));
        ++written;
        if (married && written < room) {
            writePerson(spouseName, surname, !maleHead, headBirth.addDays(between(-2000, 2000)), "Eşi", "Evli", address,
                        pick(kMaleNames), pick(kFemaleNames));
            ++written;
        }
        const int children = married ? between(0, 4) : 0;
        const QString father = maleHead ? headName : spouseName;
        const QString mother = maleHead ? spouseName : headName;
        for (int c = 0; c < children && written < room; ++c) {
            const bool son = chance(0.5);
            const int fromYear = std::min(m_today.year() - 1, headBirth.year() + 20);
            const QDate born = birthDate(fromYear, std::min(m_today.year(), headBirth.year() + 42));
            writePerson(son ? pick(kMaleNames) : pick(kFemaleNames), surname, son, born, son ? "Oğlu" : "Kızı", "Bekar",
                        address, father, mother);
            ++written;
        }
        if (chance(0.08) && written < room) {
            writePerson(pick(kFemaleNames), pick(kSurnames), false, birthDate(1930, 1960), "Akrabası", "Dul", address,
                        pick(kMaleNames), pick(kFemaleNames));
            ++written;
        }
        return written;
    }

    void writePerson(const QString& given, const QString& surname, bool male, const QDate& born,
                     const QString& relation, const QString& marital, const QVariantMap& address, const QString& father,
                     const QString& mother)
    {
        QVariantMap v = address;
        const int number = m_next++;
        v["Adi"] = QString(given + " " + surname).left(25);
        v["KayitNo"] = double(number);
        v["Mahalle"] = "Kırkkonaklar";
        v["BabaAdi"] = father;
        v["AnaAdi"] = mother;
        v["DogYeri"] = pick(kProvinces).second;
        v["DogTar"] = born;
        v["Tabiyeti"] = "T.C.";
        v["Cinsiyeti"] = male ? "Erkek" : "Kadın";
        const int age = born.daysTo(m_today) / 365;
        if (age < 7) {
            v["Meslek"] = QVariant();
        } else if (age < 19) {
            v["Meslek"] = pick(kSchools);
            v["Sinif_No"] = QString("%1-%2").arg(std::min(12, age - 6)).arg(between(1, 45));
        } else if (age > 64) {
            v["Meslek"] = "Emekli";
        } else {
            v["Meslek"] = male ? pick(kJobs) : (chance(0.4) ? "Ev Kadını" : pick(kJobs));
        }
        v["Dini"] = chance(0.97) ? "İslam" : (chance(0.5) ? "Hıristiyan" : "Musevi");
        v["Medeni"] = marital;
        v["EvDuru2"] = age < 7 ? "Hayır" : (chance(0.94) ? "Evet" : "Hayır");
        v["Yakinlik"] = relation;
        v["Sayfa"] = QString::number(between(1, 200));
        if (age >= 18 || chance(0.5)) {
            v["NC_Seri"] = QString("%1%2").arg(QChar('A' + between(0, 25))).arg(between(10, 99));
            v["NC_KayitNo"] = QString::number(between(100000, 999999));
            v["NC_Daire"] = pick(kDistricts) + " Nüf. Md.";
            v["NC_Nedeni"] = chance(0.7) ? "Yenileme" : "Doğum";
            v["NC_Tarihi"] = born.addDays(between(30, std::max(31, int(born.daysTo(m_today)))));
        }
        if (age >= 20 && chance(0.7))
            v["CepTel"] = QString("05%1 %2 %3 %4")
                              .arg(between(30, 55))
                              .arg(between(100, 999))
                              .arg(between(10, 99))
                              .arg(between(10, 99));
        if (age >= 20 && chance(0.3))
            v["IsTelefon"] = QString("0312 %1 %2 %3").arg(between(200, 499)).arg(between(10, 99)).arg(between(10, 99));
        if (chance(m_opt.movedOutShare)) {
            v["Nakil"] = "1";
            v["GittigiAdres"] = pick(kStreets) + " No: " + QString::number(between(1, 90));
            v["Gittigiadres2"] = pick(kDistricts) + " / " + pick(kProvinces).second;
            m_db.exec("insert into Nakil (Tarih, ADI_SOYADI, \"Not\") values (?, ?, ?)",
                      {m_today.addDays(-between(1, 900)).toString(kIsoDateFormat), v["Adi"],
                       v["GittigiAdres"].toString() + "\r\n" + v["Gittigiadres2"].toString()});
        } else {
            v["Nakil"] = "0";
        }
        if (chance(0.2))
            v["Belgeler"] =
                QString("İkametgah Belgesi %1").arg(m_today.addDays(-between(1, 700)).toString(kDateFormat));
        m_insert->reset();
        for (int i = 0; i < m_fieldNames.size(); ++i) {
            QVariant value = v.value(m_fieldNames[i]);
            if (value.typeId() == QMetaType::QDate)
                value = value.toDate().toString(kIsoDateFormat);
            m_insert->bind(i + 1, value);
        }
        m_insert->step();
    }

    void appointments()
    {
        const QStringList times = {"09:00", "09:30", "11:00", "14:30", "16:00"};
        for (const QString& t : times) {
            if (!chance(0.6))
                continue;
            m_db.exec("insert or ignore into Randevu (Tarih, Saati, Adi, Konu) values (?, ?, ?, ?)",
                      {m_today.toString(kIsoDateFormat), t, pick(kMaleNames) + " " + pick(kSurnames),
                       chance(0.5) ? "İkametgah" : "Görüşme"});
        }
    }

    Database& m_db;
    GeneratorOptions m_opt;
    QRandomGenerator m_rand;
    QDate m_today;
    int m_next = 1;
    QStringList m_fieldNames;
    std::unique_ptr<Statement> m_insert;
};

} // namespace

int generateRegister(Database& db, const GeneratorOptions& options)
{
    return Generator(db, options).run();
}

} // namespace zelvar
