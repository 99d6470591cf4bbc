// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "record/technique_record_entries.h"

#include "common/translatable_text.h"

namespace rz6 {
namespace {

using recordLayout::labelHeight;

struct RowPlace {
    RecordGroup group;
    TwipsBox name;
    TwipsBox count;
    TwipsBox sequence;
};

// A row of the left column, at top y of the technique tab.
constexpr RowPlace leftRow(int y) {
    return {RecordGroup::LeftColumn,
            {120, y, 1455, labelHeight},
            {1560, y, 735, labelHeight},
            {2280, y, 1575, labelHeight}};
}

// A row of the right column; nine-digit sequences get a wider caption.
constexpr RowPlace rightRow(int y, int sequenceWidth = 1575) {
    return {RecordGroup::RightColumn,
            {4200, y, 1455, labelHeight},
            {5640, y, 735, labelHeight},
            {6360, y, sequenceWidth, labelHeight}};
}
constexpr RowPlace rightRowNineDigits(int y) {
    return rightRow(y, 1935);
}

// A row inside the "四天六門" frame: column 1..3, top y within the frame.
constexpr RowPlace gateRow(int column, int y) {
    const int step = 2880 * (column - 1);
    return {RecordGroup::HiddenGates,
            {120 + step, y, 615, labelHeight},
            {720 + step, y, 735, labelHeight},
            {1440 + step, y, 1575, labelHeight}};
}

// The reversed gate has a long name; its count and empty sequence sit on the line below.
constexpr RowPlace reversedGateRow() {
    return {RecordGroup::HiddenGates,
            {6480, 720, 2295, labelHeight},
            {6480, 960, 735, labelHeight},
            {7200, 960, 1575, labelHeight}};
}

constexpr TechniqueRecordEntry entry(std::string_view name, std::string_view sequence,
                                     std::string_view description, RowPlace place) {
    return {name, sequence, description, place.group, place.name, place.count, place.sequence};
}

constexpr std::array<TechniqueRecordEntry, techniqueCount> entries{{
    entry(RZ6_TRANSLATABLE("Game", "三　連　突"), "xxx",
          RZ6_TRANSLATABLE("Game", "三連突（さんれんとつ）\r\n"
                                   "　同じ数字を三度続けて打つ。\r\n"
                                   "　狙い澄ました一点へ、瞬く間に三度突き込む連突の基本。\r\n"
                                   "　盤に同じ数字が三つ揃ったときにのみ放てる。"),
          leftRow(120)),
    entry(RZ6_TRANSLATABLE("Game", "六連突・飛燕"), "xxxxxx",
          RZ6_TRANSLATABLE("Game", "六連突・飛燕（ろくれんとつ・ひえん）\r\n"
                                   "　同じ数字を六度続けて打つ。\r\n"
                                   "　翻る燕のごとき速さで、一点へ六度の突きを浴びせる。\r\n"
                                   "　盤に同じ数字が六つ並ぶ好機は、そう訪れない。"),
          rightRow(120)),
    entry(RZ6_TRANSLATABLE("Game", "九連瞬突・紫電"), "xxxxxxxxx",
          RZ6_TRANSLATABLE("Game", "九連瞬突・紫電（きゅうれんしゅんとつ・しでん）\r\n"
                                   "　同じ数字を九度続けて打つ。\r\n"
                                   "　九つの突きが紫の稲妻と化し、一瞬のうちに相手を貫く。\r\n"
                                   "　盤に同じ数字が九つ揃う、天運に恵まれた者だけの技。"),
          rightRowNineDigits(1680)),
    entry(RZ6_TRANSLATABLE("Game", "金　剛　撃"), "123",
          RZ6_TRANSLATABLE("Game", "金剛撃（こんごうげき）\r\n"
                                   "　テンキーの最下段を左から右へ、１・２・３と打つ。\r\n"
                                   "　地を這うように低く薙ぎ、揺るがぬ金剛の重みを叩きつける。"),
          leftRow(1080)),
    entry(RZ6_TRANSLATABLE("Game", "旋　風　斬"), "456",
          RZ6_TRANSLATABLE("Game", "旋風斬（せんぷうざん）\r\n"
                                   "　テンキーの中段を左から右へ、４・５・６と打つ。\r\n"
                                   "　胴を真一文字に払う、旋風のごとき横薙ぎ。"),
          leftRow(1320)),
    entry(RZ6_TRANSLATABLE("Game", "天　鳴　斬"), "789",
          RZ6_TRANSLATABLE("Game", "天鳴斬（てんめいざん）\r\n"
                                   "　テンキーの最上段を左から右へ、７・８・９と打つ。\r\n"
                                   "　頭上を薙ぐ刃が風を裂き、天が鳴るかのように響き渡る。"),
          leftRow(1560)),
    entry(RZ6_TRANSLATABLE("Game", "白　鳳　剣"), "159/357",
          RZ6_TRANSLATABLE("Game",
                           "白鳳剣（はくほうけん）\r\n"
                           "　左下から右上へ１・５・９、または右下から左上へ３・５・７と打つ。\r\n"
                           "　斜めに斬り上げる太刀筋は、白き鳳が舞い上がる姿に似る。"),
          leftRow(4080)),
    entry(RZ6_TRANSLATABLE("Game", "落　鳳　剣"), "951/753",
          RZ6_TRANSLATABLE("Game",
                           "落鳳剣（らくほうけん）\r\n"
                           "　右上から左下へ９・５・１、または左上から右下へ７・５・３と打つ。\r\n"
                           "　高みから斜めに斬り下ろす。舞い降りる鳳のごとく、鋭く重い。"),
          leftRow(3840)),
    entry(RZ6_TRANSLATABLE("Game", "落　腕　撃"), "741/963",
          RZ6_TRANSLATABLE("Game", "落腕撃（らくわんげき）\r\n"
                                   "　テンキーの左列を上から下へ７・４・１、\r\n"
                                   "　または右列を上から下へ９・６・３と打ち下ろす。\r\n"
                                   "　振り下ろす刃で、構えた相手の腕を打ち落とす。"),
          leftRow(480)),
    entry(RZ6_TRANSLATABLE("Game", "斗　波"), "852",
          RZ6_TRANSLATABLE("Game", "斗波（となみ）\r\n"
                                   "　テンキーの中央列を上から下へ、８・５・２と打ち下ろす。\r\n"
                                   "　真っ向から斬り下ろす一刀が、波となって押し寄せる。"),
          leftRow(720)),
    entry(RZ6_TRANSLATABLE("Game", "天　昇　斬"), "258",
          RZ6_TRANSLATABLE("Game", "天昇斬（てんしょうざん）\r\n"
                                   "　テンキーの中央列を下から上へ、２・５・８と打ち上げる。\r\n"
                                   "　地から天へ、昇る龍のごとく一直線に斬り上げる。"),
          leftRow(2400)),
    entry(RZ6_TRANSLATABLE("Game", "双　龍　斬"), "753951/951753",
          RZ6_TRANSLATABLE("Game",
                           "双龍斬（そうりゅうざん）\r\n"
                           "　二本の対角線を上から下へ、７・５・３と９・５・１を続けて打つ。\r\n"
                           "　どちらの対角線から始めてもよい。\r\n"
                           "　交わる二筋の斬撃が、絡み合う二頭の龍となって襲いかかる。"),
          rightRow(1080)),
    entry(RZ6_TRANSLATABLE("Game", "退魔神剣"), "456852",
          RZ6_TRANSLATABLE(
              "Game", "退魔神剣（たいましんけん）\r\n"
                      "　中段を左から右へ４・５・６、続けて中央列を上から下へ８・５・２と打つ。\r\n"
                      "　テンキーに十字を刻み、あらゆる魔を退ける神剣。"),
          rightRow(840)),
    entry(RZ6_TRANSLATABLE("Game", "逆四天六門・輪廻転生"), "",
          RZ6_TRANSLATABLE("Game",
                           "逆四天六門・輪廻転生（ぎゃくしてんろくもん・りんねてんせい）\r\n"
                           "　四天六門を逆しまに辿った果てにあるという、幻の極意。\r\n"
                           "　斬られた者は生と死の巡りを垣間見ると言い伝えられる。\r\n"
                           "　いかなる打ち筋で放たれるのか、その姿を見た者はいまだ一人もいない。"),
          reversedGateRow()),
    entry(RZ6_TRANSLATABLE("Game", "奥義・明鏡止水"), "123456789",
          RZ6_TRANSLATABLE("Game",
                           "奥義・明鏡止水（おうぎ・めいきょうしすい）\r\n"
                           "　１から９まで、最下段から最上段へ九つの数字すべてを順に打つ。\r\n"
                           "　心は曇りなき鏡、波立たぬ水のごとく。\r\n"
                           "　一切の迷いを捨てて放つ、静かなる奥義。"),
          rightRowNineDigits(2280)),
    entry(
        RZ6_TRANSLATABLE("Game", "秘技・鳳凰天舞"), "186734925",
        RZ6_TRANSLATABLE(
            "Game",
            "秘技・鳳凰天舞（ひぎ・ほうおうてんぶ）\r\n"
            "　１・８・６・７・３・４・９・２とテンキーの四方を跳び回り、最後に中央の５を打つ。\r\n"
            "　鳳凰が天を舞うごとく九度翻り、その軌跡は誰の目にも捉えられない。\r\n"
            "　数ある技の中でも、最も高い得点を誇る秘技。"),
        rightRowNineDigits(2040)),
    entry(RZ6_TRANSLATABLE("Game", "斗波二連"), "741963/963741",
          RZ6_TRANSLATABLE("Game",
                           "斗波二連（となみにれん）\r\n"
                           "　左列を７・４・１、続けて右列を９・６・３と、二度打ち下ろす。\r\n"
                           "　両脇から押し寄せる二重の波が、相手の逃げ場を塞ぐ。"),
          rightRow(360)),
    entry(RZ6_TRANSLATABLE("Game", "双龍斬・眩偽"), "759/957",
          RZ6_TRANSLATABLE(
              "Game", "双龍斬・眩偽（そうりゅうざん・くらぎ）\r\n"
                      "　７・５・９、または９・５・７と、中央を谷にして最上段の両隅を打つ。\r\n"
                      "　一方の龍と見せて、もう一方が牙をむく。\r\n"
                      "　目を眩ます、偽りの双龍。"),
          leftRow(3600)),
    entry(RZ6_TRANSLATABLE("Game", "月　影"), "858",
          RZ6_TRANSLATABLE("Game",
                           "月影（つきかげ）\r\n"
                           "　８・５・８と、中央列を打ち下ろしてすぐに引き戻す。\r\n"
                           "　一瞬の斬り返しは、水面に揺れる月の影のように捉えどころがない。"),
          leftRow(1920)),
    entry(RZ6_TRANSLATABLE("Game", "片手二段突・首薙"), "798",
          RZ6_TRANSLATABLE("Game", "片手二段突・首薙（かたてにだんづき・くびなぎ）\r\n"
                                   "　最上段の両隅を７・９と突き、返す刃でその間の８を打つ。\r\n"
                                   "　片手で二段に突き込み、その勢いのまま首を薙ぐ。"),
          leftRow(2160)),
    entry(RZ6_TRANSLATABLE("Game", "天技・抜山蓋世"), "789321",
          RZ6_TRANSLATABLE("Game",
                           "天技・抜山蓋世（てんぎ・ばっさんがいせい）\r\n"
                           "　最上段を７・８・９と右へ、続けて最下段を３・２・１と左へ打つ。\r\n"
                           "　テンキーの天と地を一息に薙ぎ払う。\r\n"
                           "　山を引き抜き世を覆う、天下無双の豪剣。"),
          rightRow(600)),
    entry(RZ6_TRANSLATABLE("Game", "大斗波・瀑斧"), "741963852/963741852",
          RZ6_TRANSLATABLE(
              "Game", "大斗波・瀑斧（おおとなみ・ばくふ）\r\n"
                      "　左列７・４・１と右列９・６・３を打ち下ろし、締めに中央列８・５・２。\r\n"
                      "　左右の列はどちらから始めてもよい。\r\n"
                      "　三筋の斬り下ろしが瀑布となって降り注ぎ、大斧のごとく全てを断つ。"),
          rightRowNineDigits(4080)),
    entry(RZ6_TRANSLATABLE("Game", "双龍破斬・嵐葉"), "951753654",
          RZ6_TRANSLATABLE(
              "Game", "双龍破斬・嵐刃（乱刃）（そうりゅうはざん・らんじん）（みだれやいば）\r\n"
                      "　９・５・１、７・５・３と二本の対角線を斬り下ろし、\r\n"
                      "　中段を右から左へ６・５・４と払う。\r\n"
                      "　双龍の斬撃に横薙ぎを重ね、嵐の刃となって吹き荒れる。"),
          rightRowNineDigits(2880)),
    entry(RZ6_TRANSLATABLE("Game", "双龍破斬・乱葉"), "753951456",
          RZ6_TRANSLATABLE(
              "Game", "双龍破斬・嵐刃（乱刃）（そうりゅうはざん・らんじん）（みだれやいば）\r\n"
                      "　７・５・３、９・５・１と二本の対角線を斬り下ろし、\r\n"
                      "　中段を左から右へ４・５・６と払う。\r\n"
                      "　乱れ飛ぶ刃が、木の葉を散らすように相手を切り刻む。"),
          rightRowNineDigits(2640)),
    entry(RZ6_TRANSLATABLE("Game", "桜　花"), "953",
          RZ6_TRANSLATABLE("Game", "桜花（おうか）\r\n"
                                   "　９・５・３と、右上から中央を経て右下へ打つ。\r\n"
                                   "　散りゆく桜の花びらのように、鮮やかに舞う刃。"),
          leftRow(3240)),
    entry(RZ6_TRANSLATABLE("Game", "菊　花"), "751",
          RZ6_TRANSLATABLE("Game", "菊花（きっか）\r\n"
                                   "　７・５・１と、左上から中央を経て左下へ打つ。\r\n"
                                   "　菊の花弁が開くように、刃が中央から鋭く広がる。"),
          leftRow(3000)),
    entry(RZ6_TRANSLATABLE("Game", "梅　花"), "525",
          RZ6_TRANSLATABLE("Game", "梅花（ばいか）\r\n"
                                   "　５・２・５と、中央から下へ突いてすぐに戻す。\r\n"
                                   "　寒中に咲く梅のように、小さく、しかし凛として鋭い。"),
          leftRow(2760)),
    entry(RZ6_TRANSLATABLE("Game", "紅蓮"), "",
          RZ6_TRANSLATABLE("Game",
                           "四天六門・紅蓮（ぐれん）\r\n"
                           "　四天六門に数えられる、伝説の技。\r\n"
                           "　紅蓮の炎をまとった刃が、触れたもの全てを焼き尽くすと伝わる。\r\n"
                           "　その炎を目にした者は、いまだいない。"),
          gateRow(1, 240)),
    entry(RZ6_TRANSLATABLE("Game", "雫穿"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・雫穿（しずくうがち）\r\n"
                                   "　四天六門に数えられる、伝説の技。\r\n"
                                   "　一滴の雫が岩を穿つように、ただ一点を貫き通すという。\r\n"
                                   "　その突きを見た者は、まだ誰もいない。"),
          gateRow(2, 240)),
    entry(RZ6_TRANSLATABLE("Game", "嶽崩"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・嶽崩（がくほう）\r\n"
                                   "　山嶽をも崩すと伝わる、四天六門の剛剣。\r\n"
                                   "　ひと振りで大地が裂けたという古い言い伝えだけが残る。\r\n"
                                   "　打ち筋は今なお、謎に包まれている。"),
          gateRow(2, 960)),
    entry(RZ6_TRANSLATABLE("Game", "嵐舞"), "",
          RZ6_TRANSLATABLE("Game",
                           "四天六門・嵐舞（らんぶ）\r\n"
                           "　嵐のように舞い、四方の敵を一度に斬り伏せるという。\r\n"
                           "　四天六門の名とともに語り継がれるのみで、舞う姿を見た者はいない。"),
          gateRow(1, 480)),
    entry(RZ6_TRANSLATABLE("Game", "光翼"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・光翼（こうよく）\r\n"
                                   "　光の翼を広げたかのような、まばゆい斬撃と伝わる。\r\n"
                                   "　四天六門の一つとされるが、その輝きを目にした者はいない。"),
          gateRow(2, 480)),
    entry(RZ6_TRANSLATABLE("Game", "闇炎"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・闇炎（やみほむら）\r\n"
                                   "　闇色の炎が刃を包み、影さえ残さず焼き払うという。\r\n"
                                   "　四天六門のうちでも最も恐れられる技。\r\n"
                                   "　その炎を見た者は、いまだいない。"),
          gateRow(3, 240)),
    entry(RZ6_TRANSLATABLE("Game", "霙礫"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・霙礫（みぞれつぶて）\r\n"
                                   "　霙まじりの礫のごとく、無数の突きが降り注ぐと伝わる。\r\n"
                                   "　四天六門の一つ。打ち筋を知る者は、誰もいない。"),
          gateRow(1, 720)),
    entry(RZ6_TRANSLATABLE("Game", "雷纏"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・雷纏（いかずちまとい）\r\n"
                                   "　雷を身にまとい、稲妻の速さで間合いを詰めるという。\r\n"
                                   "　四天六門の一つ。その光を見た者は、まだいない。"),
          gateRow(2, 720)),
    entry(RZ6_TRANSLATABLE("Game", "星破"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・星破（刃）　（せいは）\r\n"
                                   "　夜空の星さえ砕くと伝わる、四天六門の一撃。\r\n"
                                   "　その刃の行方を知る者は、誰もいない。"),
          gateRow(3, 480)),
    entry(RZ6_TRANSLATABLE("Game", "魂喰"), "",
          RZ6_TRANSLATABLE("Game", "四天六門・魂喰（みたまくらい）\r\n"
                                   "　斬った者の魂を喰らうと恐れられる、四天六門の禁じ手。\r\n"
                                   "　伝え聞くのみで、振るわれたところを見た者はいまだいない。"),
          gateRow(1, 960)),
    entry(RZ6_TRANSLATABLE("Game", "片手平突・蛟"), "917382645",
          RZ6_TRANSLATABLE("Game",
                           "片手平突・蛟（かたてひらづき・みずち）\r\n"
                           "　９・１、７・３と二本の対角線を突き通し、\r\n"
                           "　８・２、６・４と十字を突いて、最後に中央の５を貫く。\r\n"
                           "　刃を寝かせた片手の平突きが、水に潜む蛟のごとく八方から襲う。"),
          rightRowNineDigits(3840)),
    entry(RZ6_TRANSLATABLE("Game", "天魔封滅・屠"), "785231469",
          RZ6_TRANSLATABLE(
              "Game", "天魔封滅・屠（てんまふうめつ・ほふり）\r\n"
                      "　７・８・５・２・３・１・４・６・９と、テンキーを縫うように九つを打つ。\r\n"
                      "　天魔さえ封じ滅ぼす一閃。逃れる隙は、どこにもない。"),
          rightRowNineDigits(3480)),
    entry(RZ6_TRANSLATABLE("Game", "二刀連突・迦桜羅"), "731946825",
          RZ6_TRANSLATABLE("Game",
                           "二刀連突・迦楼羅（にとうれんとつ・かるら）\r\n"
                           "　７・３、１・９、４・６、８・２と、二刀で向かい合う突きを重ね、\r\n"
                           "　最後に中央の５を貫く。\r\n"
                           "　迦楼羅の翼のごとく左右の刃が交差し、その中心を穿つ。"),
          rightRowNineDigits(3240)),
}};

} // namespace

const std::array<TechniqueRecordEntry, techniqueCount>& techniqueRecordEntries() {
    return entries;
}

std::string_view hiddenGatesDescription() {
    return RZ6_TRANSLATABLE("Game", "四天六門（してんろくもん）\r\n"
                                    "　四方の天と六つの門に通じるとされる、伝説の技の総称。\r\n"
                                    "　いかなる打ち筋がそこへ至るのか、知る者はいない。\r\n"
                                    "　その技を目にした者は、いまだ一人もいない。");
}

} // namespace rz6
