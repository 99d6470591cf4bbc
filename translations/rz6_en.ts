<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Game</name>
    <message>
        <source>空振 </source>
        <translation>Miss </translation>
    </message>
    <message>
        <source>防がれた！</source>
        <translation>Blocked!</translation>
    </message>
    <message>
        <source>反撃を受けた！</source>
        <translation>Countered!</translation>
    </message>
    <message>
        <source>姿勢を崩した！</source>
        <translation>Off balance!</translation>
    </message>
    <message>
        <source>金剛撃</source>
        <translation>Diamond Strike</translation>
    </message>
    <message>
        <source>旋風斬</source>
        <translation>Whirlwind Cut</translation>
    </message>
    <message>
        <source>天鳴斬</source>
        <translation>Sky Roar Cut</translation>
    </message>
    <message>
        <source>白鳳剣</source>
        <translation>White Phoenix</translation>
    </message>
    <message>
        <source>落凰剣</source>
        <translation>Phoenix Fall</translation>
    </message>
    <message>
        <source>落腕撃</source>
        <translation>Arm Breaker</translation>
    </message>
    <message>
        <source>斗波</source>
        <translation>Battle Wave</translation>
    </message>
    <message>
        <source>天昇斬</source>
        <translation>Skyward Cut</translation>
    </message>
    <message>
        <source>双龍斬</source>
        <translation>Twin Dragons</translation>
    </message>
    <message>
        <source>退魔神剣</source>
        <translation>Demonbane</translation>
    </message>
    <message>
        <source>奥義・明鏡止水</source>
        <translation>Still Mirror</translation>
    </message>
    <message>
        <source>秘技・鳳凰天舞</source>
        <translation>Phoenix Dance</translation>
    </message>
    <message>
        <source>斗波二連</source>
        <translation>Double Wave</translation>
    </message>
    <message>
        <source>双龍斬・眩偽</source>
        <translation>Dragon Feint</translation>
    </message>
    <message>
        <source>月影</source>
        <translation>Moon Shadow</translation>
    </message>
    <message>
        <source>片手二段付・首薙</source>
        <translation>Neck Reaper</translation>
    </message>
    <message>
        <source>天技・抜山蓋世</source>
        <translation>Mountain Mover</translation>
    </message>
    <message>
        <source>大斗波・瀑斧</source>
        <translation>Waterfall Axe</translation>
    </message>
    <message>
        <source>双龍破斬・嵐葉</source>
        <translation>Storm Leaves</translation>
    </message>
    <message>
        <source>双龍破斬・乱葉</source>
        <translation>Scatter Leaves</translation>
    </message>
    <message>
        <source>桜花</source>
        <translation>Cherry Blossom</translation>
    </message>
    <message>
        <source>菊花</source>
        <translation>Chrysanthemum</translation>
    </message>
    <message>
        <source>梅花</source>
        <translation>Plum Blossom</translation>
    </message>
    <message>
        <source>片手平突・蛟</source>
        <translation>Water Dragon</translation>
    </message>
    <message>
        <source>天魔封滅・屠</source>
        <translation>Demon Slayer</translation>
    </message>
    <message>
        <source>二刀連突・迦桜羅</source>
        <translation>Garuda Thrust</translation>
    </message>
    <message>
        <source>灰原&#x3000;蓮</source>
        <translation>Ren</translation>
    </message>
    <message>
        <source>灰原&#x3000;雪菜</source>
        <translation>Yukina</translation>
    </message>
    <message>
        <source>真壁&#x3000;左近</source>
        <translation>Sakon</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;聖</source>
        <translation>Sword Saint</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;神</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;鬼</source>
        <translation>Grandmaster</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;豪</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;士</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>免許皆伝</source>
        <translation>Adept</translation>
    </message>
    <message>
        <source>目&#x3000;&#x3000;録</source>
        <translation>Journeyman</translation>
    </message>
    <message>
        <source>中 目 録</source>
        <translation>Apprentice</translation>
    </message>
    <message>
        <source>門&#x3000;&#x3000;人</source>
        <translation>Pupil</translation>
    </message>
    <message>
        <source>入 門 者</source>
        <translation>Novice</translation>
    </message>
    <message>
        <source>三&#x3000;連&#x3000;突</source>
        <translation>Triple Thrust</translation>
    </message>
    <message>
        <source>三連突（さんれんとつ）<byte value="xd"/>
&#x3000;同じ数字を三度続けて打つ。<byte value="xd"/>
&#x3000;狙い澄ました一点へ、瞬く間に三度突き込む連突の基本。<byte value="xd"/>
&#x3000;盤に同じ数字が三つ揃ったときにのみ放てる。</source>
        <translation>Triple Thrust — 三連突 (san-ren-totsu)<byte value="xd"/>
&#x3000;Type the same digit three times in a row.<byte value="xd"/>
&#x3000;Three thrusts into one chosen point in the blink of an eye:<byte value="xd"/>
&#x3000;the root of every thrust. Only when the board holds three of a digit.</translation>
    </message>
    <message>
        <source>六連突・飛燕</source>
        <translation>Swallow Thrust</translation>
    </message>
    <message>
        <source>六連突・飛燕（ろくれんとつ・ひえん）<byte value="xd"/>
&#x3000;同じ数字を六度続けて打つ。<byte value="xd"/>
&#x3000;翻る燕のごとき速さで、一点へ六度の突きを浴びせる。<byte value="xd"/>
&#x3000;盤に同じ数字が六つ並ぶ好機は、そう訪れない。</source>
        <translation>Swallow Thrust — 六連突・飛燕 (roku-ren-totsu hien)<byte value="xd"/>
&#x3000;Type the same digit six times in a row.<byte value="xd"/>
&#x3000;Six thrusts rain on one point, quick as a swallow turning.<byte value="xd"/>
&#x3000;Six of one digit on the board is a rare chance.</translation>
    </message>
    <message>
        <source>九連瞬突・紫電</source>
        <translation>Violet Bolt</translation>
    </message>
    <message>
        <source>九連瞬突・紫電（きゅうれんしゅんとつ・しでん）<byte value="xd"/>
&#x3000;同じ数字を九度続けて打つ。<byte value="xd"/>
&#x3000;九つの突きが紫の稲妻と化し、一瞬のうちに相手を貫く。<byte value="xd"/>
&#x3000;盤に同じ数字が九つ揃う、天運に恵まれた者だけの技。</source>
        <translation>Violet Bolt — 九連瞬突・紫電 (kyuu-ren-shun-totsu shiden)<byte value="xd"/>
&#x3000;Type the same digit nine times in a row.<byte value="xd"/>
&#x3000;Nine thrusts become violet lightning and pierce in an instant.<byte value="xd"/>
&#x3000;Only for those whom fortune gives nine of one digit.</translation>
    </message>
    <message>
        <source>金&#x3000;剛&#x3000;撃</source>
        <translation>Diamond Strike</translation>
    </message>
    <message>
        <source>金剛撃（こんごうげき）<byte value="xd"/>
&#x3000;テンキーの最下段を左から右へ、１・２・３と打つ。<byte value="xd"/>
&#x3000;地を這うように低く薙ぎ、揺るがぬ金剛の重みを叩きつける。</source>
        <translation>Diamond Strike — 金剛撃 (kongou-geki)<byte value="xd"/>
&#x3000;Along the keypad’s bottom row, left to right: 1, 2, 3.<byte value="xd"/>
&#x3000;A low sweep that hugs the ground and lands with diamond weight.</translation>
    </message>
    <message>
        <source>旋&#x3000;風&#x3000;斬</source>
        <translation>Whirlwind Cut</translation>
    </message>
    <message>
        <source>旋風斬（せんぷうざん）<byte value="xd"/>
&#x3000;テンキーの中段を左から右へ、４・５・６と打つ。<byte value="xd"/>
&#x3000;胴を真一文字に払う、旋風のごとき横薙ぎ。</source>
        <translation>Whirlwind Cut — 旋風斬 (senpuu-zan)<byte value="xd"/>
&#x3000;Along the keypad’s middle row, left to right: 4, 5, 6.<byte value="xd"/>
&#x3000;One straight sweep across the body, like a whirlwind.</translation>
    </message>
    <message>
        <source>天&#x3000;鳴&#x3000;斬</source>
        <translation>Sky Roar Cut</translation>
    </message>
    <message>
        <source>天鳴斬（てんめいざん）<byte value="xd"/>
&#x3000;テンキーの最上段を左から右へ、７・８・９と打つ。<byte value="xd"/>
&#x3000;頭上を薙ぐ刃が風を裂き、天が鳴るかのように響き渡る。</source>
        <translation>Sky Roar Cut — 天鳴斬 (tenmei-zan)<byte value="xd"/>
&#x3000;Along the keypad’s top row, left to right: 7, 8, 9.<byte value="xd"/>
&#x3000;A blade over the head tears the wind; the sky seems to roar.</translation>
    </message>
    <message>
        <source>白&#x3000;鳳&#x3000;剣</source>
        <translation>White Phoenix</translation>
    </message>
    <message>
        <source>白鳳剣（はくほうけん）<byte value="xd"/>
&#x3000;左下から右上へ１・５・９、または右下から左上へ３・５・７と打つ。<byte value="xd"/>
&#x3000;斜めに斬り上げる太刀筋は、白き鳳が舞い上がる姿に似る。</source>
        <translation>White Phoenix — 白鳳剣 (hakuhou-ken)<byte value="xd"/>
&#x3000;Bottom left to top right 1, 5, 9, or bottom right to top left 3, 5, 7.<byte value="xd"/>
&#x3000;A rising diagonal cut, like a white phoenix taking flight.</translation>
    </message>
    <message>
        <source>落&#x3000;鳳&#x3000;剣</source>
        <translation>Phoenix Fall</translation>
    </message>
    <message>
        <source>落鳳剣（らくほうけん）<byte value="xd"/>
&#x3000;右上から左下へ９・５・１、または左上から右下へ７・５・３と打つ。<byte value="xd"/>
&#x3000;高みから斜めに斬り下ろす。舞い降りる鳳のごとく、鋭く重い。</source>
        <translation>Phoenix Fall — 落鳳剣 (rakuhou-ken)<byte value="xd"/>
&#x3000;Top right to bottom left 9, 5, 1, or top left to bottom right 7, 5, 3.<byte value="xd"/>
&#x3000;A diagonal cut from on high, sharp and heavy as a diving phoenix.</translation>
    </message>
    <message>
        <source>落&#x3000;腕&#x3000;撃</source>
        <translation>Arm Breaker</translation>
    </message>
    <message>
        <source>落腕撃（らくわんげき）<byte value="xd"/>
&#x3000;テンキーの左列を上から下へ７・４・１、<byte value="xd"/>
&#x3000;または右列を上から下へ９・６・３と打ち下ろす。<byte value="xd"/>
&#x3000;振り下ろす刃で、構えた相手の腕を打ち落とす。</source>
        <translation>Arm Breaker — 落腕撃 (rakuwan-geki)<byte value="xd"/>
&#x3000;Down the keypad’s left column 7, 4, 1,<byte value="xd"/>
&#x3000;or down its right column 9, 6, 3.<byte value="xd"/>
&#x3000;A falling blade that strikes down the guarding arm.</translation>
    </message>
    <message>
        <source>斗&#x3000;波</source>
        <translation>Battle Wave</translation>
    </message>
    <message>
        <source>斗波（となみ）<byte value="xd"/>
&#x3000;テンキーの中央列を上から下へ、８・５・２と打ち下ろす。<byte value="xd"/>
&#x3000;真っ向から斬り下ろす一刀が、波となって押し寄せる。</source>
        <translation>Battle Wave — 斗波 (tonami)<byte value="xd"/>
&#x3000;Down the keypad’s middle column: 8, 5, 2.<byte value="xd"/>
&#x3000;One cut straight down that surges on like a wave.</translation>
    </message>
    <message>
        <source>天&#x3000;昇&#x3000;斬</source>
        <translation>Skyward Cut</translation>
    </message>
    <message>
        <source>天昇斬（てんしょうざん）<byte value="xd"/>
&#x3000;テンキーの中央列を下から上へ、２・５・８と打ち上げる。<byte value="xd"/>
&#x3000;地から天へ、昇る龍のごとく一直線に斬り上げる。</source>
        <translation>Skyward Cut — 天昇斬 (tenshou-zan)<byte value="xd"/>
&#x3000;Up the keypad’s middle column: 2, 5, 8.<byte value="xd"/>
&#x3000;From earth to sky in one line, like a rising dragon.</translation>
    </message>
    <message>
        <source>双&#x3000;龍&#x3000;斬</source>
        <translation>Twin Dragons</translation>
    </message>
    <message>
        <source>双龍斬（そうりゅうざん）<byte value="xd"/>
&#x3000;二本の対角線を上から下へ、７・５・３と９・５・１を続けて打つ。<byte value="xd"/>
&#x3000;どちらの対角線から始めてもよい。<byte value="xd"/>
&#x3000;交わる二筋の斬撃が、絡み合う二頭の龍となって襲いかかる。</source>
        <translation>Twin Dragons — 双龍斬 (souryuu-zan)<byte value="xd"/>
&#x3000;Both diagonals downwards, one after the other: 7, 5, 3 and 9, 5, 1.<byte value="xd"/>
&#x3000;Either diagonal may come first.<byte value="xd"/>
&#x3000;Two crossing cuts strike like a pair of coiling dragons.</translation>
    </message>
    <message>
        <source>退魔神剣（たいましんけん）<byte value="xd"/>
&#x3000;中段を左から右へ４・５・６、続けて中央列を上から下へ８・５・２と打つ。<byte value="xd"/>
&#x3000;テンキーに十字を刻み、あらゆる魔を退ける神剣。</source>
        <translation>Demonbane — 退魔神剣 (taima-shinken)<byte value="xd"/>
&#x3000;Middle row left to right 4, 5, 6, then middle column down 8, 5, 2.<byte value="xd"/>
&#x3000;A holy sword that carves a cross on the keypad and drives off every demon.</translation>
    </message>
    <message>
        <source>逆四天六門・輪廻転生</source>
        <translation>Rebirth Gate</translation>
    </message>
    <message>
        <source>逆四天六門・輪廻転生（ぎゃくしてんろくもん・りんねてんせい）<byte value="xd"/>
&#x3000;四天六門を逆しまに辿った果てにあるという、幻の極意。<byte value="xd"/>
&#x3000;斬られた者は生と死の巡りを垣間見ると言い伝えられる。<byte value="xd"/>
&#x3000;いかなる打ち筋で放たれるのか、その姿を見た者はいまだ一人もいない。</source>
        <translation>Rebirth Gate — 逆四天六門・輪廻転生 (gyaku-shiten-rokumon rinne-tensei)<byte value="xd"/>
&#x3000;A phantom secret said to lie at the end of the Hidden Gates walked backwards.<byte value="xd"/>
&#x3000;Those it cuts are said to glimpse the wheel of life and death.<byte value="xd"/>
&#x3000;No one has yet seen how it is struck.</translation>
    </message>
    <message>
        <source>奥義・明鏡止水（おうぎ・めいきょうしすい）<byte value="xd"/>
&#x3000;１から９まで、最下段から最上段へ九つの数字すべてを順に打つ。<byte value="xd"/>
&#x3000;心は曇りなき鏡、波立たぬ水のごとく。<byte value="xd"/>
&#x3000;一切の迷いを捨てて放つ、静かなる奥義。</source>
        <translation>Still Mirror — 奥義・明鏡止水 (ougi meikyou-shisui)<byte value="xd"/>
&#x3000;Every digit in order, 1 to 9, from the bottom row to the top.<byte value="xd"/>
&#x3000;The heart a spotless mirror, still as calm water.<byte value="xd"/>
&#x3000;A quiet secret art, struck with every doubt cast away.</translation>
    </message>
    <message>
        <source>秘技・鳳凰天舞（ひぎ・ほうおうてんぶ）<byte value="xd"/>
&#x3000;１・８・６・７・３・４・９・２とテンキーの四方を跳び回り、最後に中央の５を打つ。<byte value="xd"/>
&#x3000;鳳凰が天を舞うごとく九度翻り、その軌跡は誰の目にも捉えられない。<byte value="xd"/>
&#x3000;数ある技の中でも、最も高い得点を誇る秘技。</source>
        <translation>Phoenix Dance — 秘技・鳳凰天舞 (higi houou-tenbu)<byte value="xd"/>
&#x3000;Leap round the keypad 1, 8, 6, 7, 3, 4, 9, 2, and end on the centre 5.<byte value="xd"/>
&#x3000;Nine turns like a phoenix dancing in the sky; no eye can follow it.<byte value="xd"/>
&#x3000;Of all the techniques, the one that scores the most.</translation>
    </message>
    <message>
        <source>斗波二連（となみにれん）<byte value="xd"/>
&#x3000;左列を７・４・１、続けて右列を９・６・３と、二度打ち下ろす。<byte value="xd"/>
&#x3000;両脇から押し寄せる二重の波が、相手の逃げ場を塞ぐ。</source>
        <translation>Double Wave — 斗波二連 (tonami niren)<byte value="xd"/>
&#x3000;Down the left column 7, 4, 1, then down the right column 9, 6, 3.<byte value="xd"/>
&#x3000;A double wave from both sides that closes every escape.</translation>
    </message>
    <message>
        <source>双龍斬・眩偽（そうりゅうざん・くらぎ）<byte value="xd"/>
&#x3000;７・５・９、または９・５・７と、中央を谷にして最上段の両隅を打つ。<byte value="xd"/>
&#x3000;一方の龍と見せて、もう一方が牙をむく。<byte value="xd"/>
&#x3000;目を眩ます、偽りの双龍。</source>
        <translation>Dragon Feint — 双龍斬・眩偽 (souryuu-zan kuragi)<byte value="xd"/>
&#x3000;7, 5, 9 or 9, 5, 7: both top corners, with the centre as the valley.<byte value="xd"/>
&#x3000;One dragon shows itself while the other bares its fangs.<byte value="xd"/>
&#x3000;A false pair of dragons that dazzles the eye.</translation>
    </message>
    <message>
        <source>月&#x3000;影</source>
        <translation>Moon Shadow</translation>
    </message>
    <message>
        <source>月影（つきかげ）<byte value="xd"/>
&#x3000;８・５・８と、中央列を打ち下ろしてすぐに引き戻す。<byte value="xd"/>
&#x3000;一瞬の斬り返しは、水面に揺れる月の影のように捉えどころがない。</source>
        <translation>Moon Shadow — 月影 (tsukikage)<byte value="xd"/>
&#x3000;8, 5, 8: down the middle column and straight back.<byte value="xd"/>
&#x3000;A turn of the blade as hard to catch as the moon on rippling water.</translation>
    </message>
    <message>
        <source>片手二段突・首薙</source>
        <translation>Neck Reaper</translation>
    </message>
    <message>
        <source>片手二段突・首薙（かたてにだんづき・くびなぎ）<byte value="xd"/>
&#x3000;最上段の両隅を７・９と突き、返す刃でその間の８を打つ。<byte value="xd"/>
&#x3000;片手で二段に突き込み、その勢いのまま首を薙ぐ。</source>
        <translation>Neck Reaper — 片手二段突・首薙 (katate nidan-zuki kubinagi)<byte value="xd"/>
&#x3000;Thrust at both top corners 7, 9, then strike the 8 between them.<byte value="xd"/>
&#x3000;Two one-handed thrusts, and the same momentum sweeps the neck.</translation>
    </message>
    <message>
        <source>天技・抜山蓋世（てんぎ・ばっさんがいせい）<byte value="xd"/>
&#x3000;最上段を７・８・９と右へ、続けて最下段を３・２・１と左へ打つ。<byte value="xd"/>
&#x3000;テンキーの天と地を一息に薙ぎ払う。<byte value="xd"/>
&#x3000;山を引き抜き世を覆う、天下無双の豪剣。</source>
        <translation>Mountain Mover — 天技・抜山蓋世 (tengi bassan-gaisei)<byte value="xd"/>
&#x3000;The top row 7, 8, 9 to the right, then the bottom row 3, 2, 1 to the left.<byte value="xd"/>
&#x3000;Sweeps the keypad’s heaven and earth in one breath.<byte value="xd"/>
&#x3000;A peerless sword strong enough to pull up mountains.</translation>
    </message>
    <message>
        <source>大斗波・瀑斧（おおとなみ・ばくふ）<byte value="xd"/>
&#x3000;左列７・４・１と右列９・６・３を打ち下ろし、締めに中央列８・５・２。<byte value="xd"/>
&#x3000;左右の列はどちらから始めてもよい。<byte value="xd"/>
&#x3000;三筋の斬り下ろしが瀑布となって降り注ぎ、大斧のごとく全てを断つ。</source>
        <translation>Waterfall Axe — 大斗波・瀑斧 (oo-tonami bakufu)<byte value="xd"/>
&#x3000;Down the left column 7, 4, 1 and the right 9, 6, 3, ending on the middle 8, 5, 2.<byte value="xd"/>
&#x3000;Either side column may come first.<byte value="xd"/>
&#x3000;Three falling cuts pour down like a waterfall and cleave like an axe.</translation>
    </message>
    <message>
        <source>双龍破斬・嵐刃（乱刃）（そうりゅうはざん・らんじん）（みだれやいば）<byte value="xd"/>
&#x3000;９・５・１、７・５・３と二本の対角線を斬り下ろし、<byte value="xd"/>
&#x3000;中段を右から左へ６・５・４と払う。<byte value="xd"/>
&#x3000;双龍の斬撃に横薙ぎを重ね、嵐の刃となって吹き荒れる。</source>
        <translation>Storm Leaves — 双龍破斬・嵐刃 (souryuu-hazan ranjin)<byte value="xd"/>
&#x3000;Both diagonals down, 9, 5, 1 and 7, 5, 3,<byte value="xd"/>
&#x3000;then sweep the middle row right to left: 6, 5, 4.<byte value="xd"/>
&#x3000;A sweep laid on the twin dragons’ cuts rages like a storm of blades.</translation>
    </message>
    <message>
        <source>双龍破斬・嵐刃（乱刃）（そうりゅうはざん・らんじん）（みだれやいば）<byte value="xd"/>
&#x3000;７・５・３、９・５・１と二本の対角線を斬り下ろし、<byte value="xd"/>
&#x3000;中段を左から右へ４・５・６と払う。<byte value="xd"/>
&#x3000;乱れ飛ぶ刃が、木の葉を散らすように相手を切り刻む。</source>
        <translation>Scatter Leaves — 双龍破斬・乱刃 (souryuu-hazan midare-yaiba)<byte value="xd"/>
&#x3000;Both diagonals down, 7, 5, 3 and 9, 5, 1,<byte value="xd"/>
&#x3000;then sweep the middle row left to right: 4, 5, 6.<byte value="xd"/>
&#x3000;Wild blades cut the foe to pieces like scattering leaves.</translation>
    </message>
    <message>
        <source>桜&#x3000;花</source>
        <translation>Cherry Blossom</translation>
    </message>
    <message>
        <source>桜花（おうか）<byte value="xd"/>
&#x3000;９・５・３と、右上から中央を経て右下へ打つ。<byte value="xd"/>
&#x3000;散りゆく桜の花びらのように、鮮やかに舞う刃。</source>
        <translation>Cherry Blossom — 桜花 (ouka)<byte value="xd"/>
&#x3000;9, 5, 3: from top right through the centre to bottom right.<byte value="xd"/>
&#x3000;A bright blade that dances like falling cherry petals.</translation>
    </message>
    <message>
        <source>菊&#x3000;花</source>
        <translation>Chrysanthemum</translation>
    </message>
    <message>
        <source>菊花（きっか）<byte value="xd"/>
&#x3000;７・５・１と、左上から中央を経て左下へ打つ。<byte value="xd"/>
&#x3000;菊の花弁が開くように、刃が中央から鋭く広がる。</source>
        <translation>Chrysanthemum — 菊花 (kikka)<byte value="xd"/>
&#x3000;7, 5, 1: from top left through the centre to bottom left.<byte value="xd"/>
&#x3000;The blade opens sharply from the centre like chrysanthemum petals.</translation>
    </message>
    <message>
        <source>梅&#x3000;花</source>
        <translation>Plum Blossom</translation>
    </message>
    <message>
        <source>梅花（ばいか）<byte value="xd"/>
&#x3000;５・２・５と、中央から下へ突いてすぐに戻す。<byte value="xd"/>
&#x3000;寒中に咲く梅のように、小さく、しかし凛として鋭い。</source>
        <translation>Plum Blossom — 梅花 (baika)<byte value="xd"/>
&#x3000;5, 2, 5: a thrust down from the centre and straight back.<byte value="xd"/>
&#x3000;Small but proud and keen, like plum blossom in the cold.</translation>
    </message>
    <message>
        <source>紅蓮</source>
        <translation>Blaze</translation>
    </message>
    <message>
        <source>四天六門・紅蓮（ぐれん）<byte value="xd"/>
&#x3000;四天六門に数えられる、伝説の技。<byte value="xd"/>
&#x3000;紅蓮の炎をまとった刃が、触れたもの全てを焼き尽くすと伝わる。<byte value="xd"/>
&#x3000;その炎を目にした者は、いまだいない。</source>
        <translation>Blaze — 四天六門・紅蓮 (guren)<byte value="xd"/>
&#x3000;A legendary technique of the Hidden Gates.<byte value="xd"/>
&#x3000;A blade clad in crimson flame is said to burn all it touches.<byte value="xd"/>
&#x3000;No one has yet seen that fire.</translation>
    </message>
    <message>
        <source>雫穿</source>
        <translation>Drip</translation>
    </message>
    <message>
        <source>四天六門・雫穿（しずくうがち）<byte value="xd"/>
&#x3000;四天六門に数えられる、伝説の技。<byte value="xd"/>
&#x3000;一滴の雫が岩を穿つように、ただ一点を貫き通すという。<byte value="xd"/>
&#x3000;その突きを見た者は、まだ誰もいない。</source>
        <translation>Drip — 四天六門・雫穿 (shizuku-ugachi)<byte value="xd"/>
&#x3000;A legendary technique of the Hidden Gates.<byte value="xd"/>
&#x3000;As a drop of water bores through rock, it pierces one single point.<byte value="xd"/>
&#x3000;No one has ever seen that thrust.</translation>
    </message>
    <message>
        <source>嶽崩</source>
        <translation>Quake</translation>
    </message>
    <message>
        <source>四天六門・嶽崩（がくほう）<byte value="xd"/>
&#x3000;山嶽をも崩すと伝わる、四天六門の剛剣。<byte value="xd"/>
&#x3000;ひと振りで大地が裂けたという古い言い伝えだけが残る。<byte value="xd"/>
&#x3000;打ち筋は今なお、謎に包まれている。</source>
        <translation>Quake — 四天六門・嶽崩 (gakuhou)<byte value="xd"/>
&#x3000;A mighty sword of the Hidden Gates, said to bring down mountains.<byte value="xd"/>
&#x3000;Only an old tale remains, of the earth split by one swing.<byte value="xd"/>
&#x3000;How it is struck is still a mystery.</translation>
    </message>
    <message>
        <source>嵐舞</source>
        <translation>Gale</translation>
    </message>
    <message>
        <source>四天六門・嵐舞（らんぶ）<byte value="xd"/>
&#x3000;嵐のように舞い、四方の敵を一度に斬り伏せるという。<byte value="xd"/>
&#x3000;四天六門の名とともに語り継がれるのみで、舞う姿を見た者はいない。</source>
        <translation>Gale — 四天六門・嵐舞 (ranbu)<byte value="xd"/>
&#x3000;It dances like a storm and cuts down foes on every side at once.<byte value="xd"/>
&#x3000;Only its name lives on with the Hidden Gates; no one has seen the dance.</translation>
    </message>
    <message>
        <source>光翼</source>
        <translation>Halo</translation>
    </message>
    <message>
        <source>四天六門・光翼（こうよく）<byte value="xd"/>
&#x3000;光の翼を広げたかのような、まばゆい斬撃と伝わる。<byte value="xd"/>
&#x3000;四天六門の一つとされるが、その輝きを目にした者はいない。</source>
        <translation>Halo — 四天六門・光翼 (kouyoku)<byte value="xd"/>
&#x3000;A dazzling cut, as if wings of light were spread.<byte value="xd"/>
&#x3000;Counted among the Hidden Gates, yet no one has seen it shine.</translation>
    </message>
    <message>
        <source>闇炎</source>
        <translation>Umbra</translation>
    </message>
    <message>
        <source>四天六門・闇炎（やみほむら）<byte value="xd"/>
&#x3000;闇色の炎が刃を包み、影さえ残さず焼き払うという。<byte value="xd"/>
&#x3000;四天六門のうちでも最も恐れられる技。<byte value="xd"/>
&#x3000;その炎を見た者は、いまだいない。</source>
        <translation>Umbra — 四天六門・闇炎 (yami-homura)<byte value="xd"/>
&#x3000;Dark flame wraps the blade and burns away even shadows.<byte value="xd"/>
&#x3000;The most feared of the Hidden Gates.<byte value="xd"/>
&#x3000;No one has yet seen that fire.</translation>
    </message>
    <message>
        <source>霙礫</source>
        <translation>Sleet</translation>
    </message>
    <message>
        <source>四天六門・霙礫（みぞれつぶて）<byte value="xd"/>
&#x3000;霙まじりの礫のごとく、無数の突きが降り注ぐと伝わる。<byte value="xd"/>
&#x3000;四天六門の一つ。打ち筋を知る者は、誰もいない。</source>
        <translation>Sleet — 四天六門・霙礫 (mizore-tsubute)<byte value="xd"/>
&#x3000;Countless thrusts are said to fall like hail mixed with sleet.<byte value="xd"/>
&#x3000;One of the Hidden Gates. No one knows how it is struck.</translation>
    </message>
    <message>
        <source>雷纏</source>
        <translation>Bolt</translation>
    </message>
    <message>
        <source>四天六門・雷纏（いかずちまとい）<byte value="xd"/>
&#x3000;雷を身にまとい、稲妻の速さで間合いを詰めるという。<byte value="xd"/>
&#x3000;四天六門の一つ。その光を見た者は、まだいない。</source>
        <translation>Bolt — 四天六門・雷纏 (ikazuchi-matoi)<byte value="xd"/>
&#x3000;Clad in thunder, it closes the distance at the speed of lightning.<byte value="xd"/>
&#x3000;One of the Hidden Gates. No one has yet seen its light.</translation>
    </message>
    <message>
        <source>星破</source>
        <translation>Nova</translation>
    </message>
    <message>
        <source>四天六門・星破（刃）&#x3000;（せいは）<byte value="xd"/>
&#x3000;夜空の星さえ砕くと伝わる、四天六門の一撃。<byte value="xd"/>
&#x3000;その刃の行方を知る者は、誰もいない。</source>
        <translation>Nova — 四天六門・星破 (seiha)<byte value="xd"/>
&#x3000;A blow of the Hidden Gates said to shatter even the stars.<byte value="xd"/>
&#x3000;No one knows where that blade has gone.</translation>
    </message>
    <message>
        <source>魂喰</source>
        <translation>Ghoul</translation>
    </message>
    <message>
        <source>四天六門・魂喰（みたまくらい）<byte value="xd"/>
&#x3000;斬った者の魂を喰らうと恐れられる、四天六門の禁じ手。<byte value="xd"/>
&#x3000;伝え聞くのみで、振るわれたところを見た者はいまだいない。</source>
        <translation>Ghoul — 四天六門・魂喰 (mitama-kurai)<byte value="xd"/>
&#x3000;The forbidden art of the Hidden Gates, feared for eating the souls it cuts.<byte value="xd"/>
&#x3000;Known only from hearsay; no one has yet seen it wielded.</translation>
    </message>
    <message>
        <source>片手平突・蛟（かたてひらづき・みずち）<byte value="xd"/>
&#x3000;９・１、７・３と二本の対角線を突き通し、<byte value="xd"/>
&#x3000;８・２、６・４と十字を突いて、最後に中央の５を貫く。<byte value="xd"/>
&#x3000;刃を寝かせた片手の平突きが、水に潜む蛟のごとく八方から襲う。</source>
        <translation>Water Dragon — 片手平突・蛟 (katate hira-zuki mizuchi)<byte value="xd"/>
&#x3000;Thrust through both diagonals 9, 1 and 7, 3,<byte value="xd"/>
&#x3000;then the cross 8, 2 and 6, 4, and last pierce the centre 5.<byte value="xd"/>
&#x3000;A flat one-handed thrust strikes from all sides like a dragon lurking in water.</translation>
    </message>
    <message>
        <source>天魔封滅・屠（てんまふうめつ・ほふり）<byte value="xd"/>
&#x3000;７・８・５・２・３・１・４・６・９と、テンキーを縫うように九つを打つ。<byte value="xd"/>
&#x3000;天魔さえ封じ滅ぼす一閃。逃れる隙は、どこにもない。</source>
        <translation>Demon Slayer — 天魔封滅・屠 (tenma-fuumetsu hofuri)<byte value="xd"/>
&#x3000;Nine keys stitched across the keypad: 7, 8, 5, 2, 3, 1, 4, 6, 9.<byte value="xd"/>
&#x3000;A flash that seals and destroys even the demons of heaven; there is no escape.</translation>
    </message>
    <message>
        <source>二刀連突・迦楼羅（にとうれんとつ・かるら）<byte value="xd"/>
&#x3000;７・３、１・９、４・６、８・２と、二刀で向かい合う突きを重ね、<byte value="xd"/>
&#x3000;最後に中央の５を貫く。<byte value="xd"/>
&#x3000;迦楼羅の翼のごとく左右の刃が交差し、その中心を穿つ。</source>
        <translation>Garuda Thrust — 二刀連突・迦楼羅 (nitou-rentotsu karura)<byte value="xd"/>
&#x3000;Two swords thrust in facing pairs, 7, 3, 1, 9, 4, 6, 8, 2,<byte value="xd"/>
&#x3000;and last pierce the centre 5.<byte value="xd"/>
&#x3000;The blades cross like Garuda’s wings and bore through the heart.</translation>
    </message>
    <message>
        <source>四天六門（してんろくもん）<byte value="xd"/>
&#x3000;四方の天と六つの門に通じるとされる、伝説の技の総称。<byte value="xd"/>
&#x3000;いかなる打ち筋がそこへ至るのか、知る者はいない。<byte value="xd"/>
&#x3000;その技を目にした者は、いまだ一人もいない。</source>
        <translation>Hidden Gates — 四天六門 (shiten-rokumon)<byte value="xd"/>
&#x3000;The name for the legendary techniques said to lead to the four heavens and six gates.<byte value="xd"/>
&#x3000;No one knows which strokes reach them.<byte value="xd"/>
&#x3000;No one has ever seen one of them struck.</translation>
    </message>
    <message>
        <source>壱</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>弐</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>参</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>四</source>
        <translation>4th</translation>
    </message>
    <message>
        <source>五</source>
        <translation>5th</translation>
    </message>
    <message>
        <source>三連突</source>
        <translation>Triple Thrust</translation>
    </message>
    <message>
        <source>三連突・飛燕</source>
        <translation>Swallow Thrust</translation>
    </message>
    <message>
        <source>三連瞬突・紫電</source>
        <translation>Violet Bolt</translation>
    </message>
</context>
<context>
    <name>Replay</name>
    <message>
        <source>以前の版で記録された試合です。キーを押した時刻から組み立て直して再生します。</source>
        <translation>Recorded with an earlier version: the replay is rebuilt from the times the keys were pressed.</translation>
    </message>
    <message>
        <source>以前の版で記録された試合です。再生しても実際の試合とは一致しません。</source>
        <translation>Recorded with an earlier version; this replay would not match what happened.</translation>
    </message>
    <message>
        <source>技や得点の決まりが今とは違う版で記録された試合です。再生しても実際の試合とは一致しません。</source>
        <translation>Recorded under different rules for techniques or points; this replay would not match what happened.</translation>
    </message>
    <message>
        <source>新しい版のゲームで記録された試合です。この版では再生できません。</source>
        <translation>Recorded with a newer version of the game; this version cannot replay it.</translation>
    </message>
    <message>
        <source>どのキャラで戦ったのか分からない試合です。再生できません。</source>
        <translation>The character this match was fought with is unknown; it cannot be replayed.</translation>
    </message>
    <message>
        <source>試合の記録が壊れています。再生できません。</source>
        <translation>The match’s record is damaged; it cannot be replayed.</translation>
    </message>
    <message>
        <source>試合の記録が結果と合いません。記録が壊れているか、書き換えられています。</source>
        <translation>The match’s record does not agree with its result: it is damaged or has been altered.</translation>
    </message>
</context>
<context>
    <name>rz6::BattleWindow</name>
    <message>
        <source>試合開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>履&#x3000;&#x3000;&#x3000;歴</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>キャラ選択</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>終&#x3000;&#x3000;&#x3000;了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>残りターン</source>
        <translation>Turns left</translation>
    </message>
    <message>
        <source>連撃</source>
        <translation>Combo</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>得点</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>試合</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>再試</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>履歴</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>戦績</source>
        <translation>History</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>使用キャラ</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>効果</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>デスクトップの言語</source>
        <translation>Desktop language</translation>
    </message>
    <message>
        <source>制作</source>
        <translation>About</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to Play</translation>
    </message>
    <message>
        <source>連撃ゲージ</source>
        <translation>Combo gauge</translation>
    </message>
    <message>
        <source>ステータスバー</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>評価</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>使用キャラ&#x3000;:&#x3000;%1</source>
        <translation>Character: %1</translation>
    </message>
    <message>
        <source>%1連撃</source>
        <translation>Combo %1</translation>
    </message>
    <message>
        <source>盤 %1行%2列</source>
        <translation>Board row %1, column %2</translation>
    </message>
    <message>
        <source>（使用済み）</source>
        <translation> (used)</translation>
    </message>
    <message>
        <source>入力（連撃受付中）</source>
        <translation>Sequence (combo open)</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>%1点</source>
        <translation>%1 points</translation>
    </message>
    <message>
        <source>残り%1ターン</source>
        <translation>Turns left: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>作画&#x3000;%1&#x3000;美術係</source>
        <translation>Art: %1, art department</translation>
    </message>
    <message>
        <source>設定&#x3000;%1&#x3000;設定係</source>
        <translation>Setting: %1, story department</translation>
    </message>
    <message>
        <source>© %1&#x3000;%2&#x3000;%3 ライセンス</source>
        <translation>© %1 %2. %3 licence.</translation>
    </message>
    <message>
        <source>制作&#x3000;%1（%2）</source>
        <translation>Made by: %1 (%2)</translation>
    </message>
    <message>
        <source>最新版&#x3000;%1</source>
        <translation>Latest version: %1</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Sound effects</translation>
    </message>
</context>
<context>
    <name>rz6::CharacterSelectWindow</name>
    <message>
        <source>使用キャラ選択</source>
        <translation>Character Select</translation>
    </message>
    <message>
        <source>決&#x3000;&#x3000;定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>rz6::CommandLine</name>
    <message>
        <source>この使い方を表示して終わります</source>
        <translation>show this help and exit</translation>
    </message>
    <message>
        <source>版と使用許諾を表示して終わります</source>
        <translation>show the version and licence and exit</translation>
    </message>
    <message>
        <source>この回だけ言語を決めます（ja 日本語、en 英語）</source>
        <translation>the language for this run only (ja Japanese, en English)</translation>
    </message>
    <message>
        <source>（使い方は %1 --help）</source>
        <translation> (see %1 --help)</translation>
    </message>
    <message>
        <source>言語「%1」は選べません（ja か en）</source>
        <translation>there is no language ‘%1’ (ja or en)</translation>
    </message>
    <message>
        <source>不明なオプション「%1」です</source>
        <translation>unknown option ‘%1’</translation>
    </message>
    <message>
        <source>オプション「%1」がどれを指すのか決まりません</source>
        <translation>option ‘%1’ is ambiguous</translation>
    </message>
    <message>
        <source>オプション「%1」には値が要ります（%1%2）</source>
        <translation>option ‘%1’ needs a value (%1%2)</translation>
    </message>
    <message>
        <source>オプション「%1」は値をとりません</source>
        <translation>option ‘%1’ takes no value</translation>
    </message>
    <message>
        <source>引数「%1」はとりません</source>
        <translation>unexpected argument ‘%1’</translation>
    </message>
    <message>
        <source>X の画面 DISPLAY=%1 に接続できません（X サーバーが動いていないか、接続を拒みました）</source>
        <translation>cannot connect to the X display DISPLAY=%1 (no X server is running there, or it refused the connection)</translation>
    </message>
    <message>
        <source>Wayland の画面 WAYLAND_DISPLAY=%1 に接続できません</source>
        <translation>cannot connect to the Wayland display WAYLAND_DISPLAY=%1</translation>
    </message>
    <message>
        <source>画面に接続できません</source>
        <translation>cannot connect to a display</translation>
    </message>
    <message>
        <source>画面がありません（DISPLAY も WAYLAND_DISPLAY も設定されていません）。デスクトップのセッションから起動してください</source>
        <translation>no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start the game from a desktop session</translation>
    </message>
    <message>
        <source>Wayland の画面 WAYLAND_DISPLAY=%1 に映す Qt のプラグインがありません。root で apt install qt6-wayland を実行してください</source>
        <translation>Qt has no plugin to show the game on the Wayland display WAYLAND_DISPLAY=%1; run apt install qt6-wayland as root</translation>
    </message>
    <message>
        <source>使い方: %1 [オプション]...
数字キーで技を打ち込む一人用の剣術ゲーム「%2」を始めます。

オプション:
</source>
        <translation>Usage: %1 [OPTION]...
Starts “%2”, a single-player sword-fighting game
played with the digit keys.

Options:
</translation>
    </message>
    <message>
        <source>Copyright © %1 %2
%3 ライセンス: 無保証で、自由に使い、写し、変え、配ることができます。
</source>
        <translation>Copyright © %1 %2
%3 licence: no warranty; you may use, copy, change and share it freely.
</translation>
    </message>
    <message>
        <source>再生ファイル FILE の試合を再生します（記録には触れません）</source>
        <translation>watch the replay in FILE; the record is not touched</translation>
    </message>
    <message>
        <source>
遊び方はゲームの中の F1（メニュー「遊び方」）か、man %1 で読めます。
記録はインストールしたゲームでは $XDG_DATA_HOME/%1/%2
（既定は ~/.local/share/%1/%2）に、持ち運び用に置いた
ゲームではプログラムの隣の %2 に置かれます。
終了ステータス: 0 正常、1 画面に接続できない・記録のフォルダや
再生ファイルが使えない、2 コマンドラインの誤り。
</source>
        <translation>
How to play: press F1 in the game (menu “How to Play”), or read man %1.
An installed game keeps its record in $XDG_DATA_HOME/%1/%2
(by default ~/.local/share/%1/%2); a portable copy keeps %2
beside the program.
Exit status: 0 if all went well, 1 if there is no display or the record’s
folder or a replay file cannot be used, 2 if the command line is wrong.</translation>
    </message>
</context>
<context>
    <name>rz6::GameProgram</name>
    <message>
        <source>「%1」に%2試合を書き出しました。</source>
        <translation>Exported to “%1” (matches: %2).</translation>
    </message>
    <message>
        <source>プログラムのフォルダにある記録「%1」を引き継ぎました。
これからの記録は「%2」に保存されます（元のファイルはそのまま残ります）。</source>
        <translation>The record “%1” in the program’s folder was carried over.
From now on the record is saved in “%2” (the old file stays as it is).</translation>
    </message>
    <message>
        <source>「%1」に再生ファイルを書き出しました。</source>
        <translation>Wrote the replay file “%1”.</translation>
    </message>
</context>
<context>
    <name>rz6::HelpText</name>
    <message>
        <source>「%1」</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>&lt;li&gt;%1：ゲージ %2 秒、倍率 ×%3&lt;/li&gt;</source>
        <translation>&lt;li&gt;%1: combo gauge %2 seconds, multiplier ×%3&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;キャラクター&lt;/h3&gt;&lt;p&gt;試合の前に「設定」→「使用キャラ」かボタン%1で、%2 人の剣士から一人を選びます。ゲージの長さと得点の倍率がそれぞれ違い、ゲージが短い剣士ほど倍率が高くなります。&lt;/p&gt;%3&lt;h3&gt;結果&lt;/h3&gt;&lt;p&gt;試合が終わると結果画面が開きます。試合の得点（評価点）に、決めた技の種類一つごとに得点の一割が技術点として加わり、その合計が総合点です。総合点によって%4 段階の評価が決まります。%5で次の試合へ、%6でゲームを終えます。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Characters&lt;/h3&gt;&lt;p&gt;Before a match, choose one of %2 characters on Character Select (“Settings” → “Character”, or the %1 button). Each has a different combo gauge and multiplier: the shorter the gauge, the higher the multiplier.&lt;/p&gt;%3&lt;h3&gt;The result&lt;/h3&gt;&lt;p&gt;When a match ends, the result screen opens. For each different technique you landed, a tenth of the score is added as technique points; the score and the technique points make the overall score, which decides your rank, one of %4. %5 starts the next match, %6 ends the game.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;遊び方&lt;/h2&gt;&lt;p&gt;%1 ターンのあいだに数字の盤から技を打ち込み、得点を競う剣術ゲームです。&lt;/p&gt;&lt;h3&gt;画面&lt;/h3&gt;&lt;p&gt;左は使用キャラの絵、中央はテンキーの絵、右は 4 × 4 の盤です。盤には 1〜9 の数字が並び、テンキーの絵は今盤にある数字だけを示します。右上の数字は残りのターン数です。テンキーの絵の下に入力欄と連撃の欄、その下に技の名前と得点の欄があり、下の横長の棒は連撃ゲージ、いちばん下の欄は使用キャラと評価（試合の得点）です。&lt;/p&gt;&lt;h3&gt;試合の始め方&lt;/h3&gt;&lt;p&gt;&lt;b&gt;F5&lt;/b&gt;（メニュー「試合」→「開始」、またはボタン%2）で試合が始まります。&lt;b&gt;Ctrl+R&lt;/b&gt;（「試合」→「再試」）で試合を初めからやり直します。やめるときは「試合」→「終了」かボタン%3を選びます。&lt;/p&gt;</source>
        <translation>&lt;h2&gt;How to Play&lt;/h2&gt;&lt;p&gt;A sword-fighting game: in %1 turns, launch techniques from a board of digits and score as many points as you can.&lt;/p&gt;&lt;h3&gt;The screen&lt;/h3&gt;&lt;p&gt;On the left is your character, in the middle the keypad picture, on the right the 4 × 4 board. The board holds the digits 1–9, and the keypad picture shows only the digits on the board now. The number at the top right is the turns left. Below the keypad picture are the input box, which shows the sequence you type, and the combo count; below them the message line and the points of the last strike. The long bar is the combo gauge, and the status bar at the bottom shows your character and your score.&lt;/p&gt;&lt;h3&gt;Starting a match&lt;/h3&gt;&lt;p&gt;&lt;b&gt;F5&lt;/b&gt; (menu “Match” → “Start”, or the %2 button) starts a match. &lt;b&gt;Ctrl+R&lt;/b&gt; (“Match” → “Restart”) starts it again from the beginning. To stop playing, choose “Match” → “Quit” or the %3 button.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;キー&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;1〜9&lt;/b&gt;：盤から数字を拾って並べます。一つのマスは一度しか使えないので、同じ数字を二度使うには盤にその数字が二つ必要です。数字はキーの位置で読むので、数字の段でもテンキーでも、どのキー配列でも Shift の有無にかかわらず打てます。&lt;/li&gt;&lt;li&gt;&lt;b&gt;0&lt;/b&gt;：3 桁か 6 桁の並びを放ちます。%1 桁目を打つと、その場で放たれます。&lt;/li&gt;&lt;li&gt;&lt;b&gt;Enter&lt;/b&gt;：並べた数字を取り消します（「姿勢を崩した！」）。%2 点引かれます。&lt;/li&gt;&lt;li&gt;&lt;b&gt;F1&lt;/b&gt;：この画面を開きます。&lt;b&gt;Esc&lt;/b&gt; で閉じます。&lt;/li&gt;&lt;li&gt;&lt;b&gt;F6&lt;/b&gt;：戦績（終えた試合すべての記録）を開きます。&lt;/li&gt;&lt;li&gt;&lt;b&gt;F10&lt;/b&gt;：最初のメニュー「試合」を開きます。&lt;b&gt;←&lt;/b&gt;・&lt;b&gt;→&lt;/b&gt; でほかのメニューに移ります。&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;マウスなしでも遊べます。&lt;b&gt;Tab&lt;/b&gt; でボタンに移り、&lt;b&gt;Space&lt;/b&gt; か &lt;b&gt;Enter&lt;/b&gt; で押します（試合中の数字・0・Enter はいつも試合に届きます）。&lt;b&gt;Esc&lt;/b&gt; はキャラ選択では%3、記録画面では「閉じる」と同じです。Orca などの画面読み上げは、命中・防がれた・反撃・空振・姿勢を崩した・残りターン・試合の結果をその場で読み上げます。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Keys&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;1–9&lt;/b&gt;: type a sequence of digits from the board. Each cell can be used only once, so a digit you use twice must be on the board twice. The digits are read from the keys’ places, so the number row and the keypad work on every keyboard layout, with or without Shift.&lt;/li&gt;&lt;li&gt;&lt;b&gt;0&lt;/b&gt;: launch a sequence of 3 or 6 digits. The %1th digit launches it at once.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Enter&lt;/b&gt;: abandon the sequence (“Off balance!”). It costs %2 points.&lt;/li&gt;&lt;li&gt;&lt;b&gt;F1&lt;/b&gt;: open this window. &lt;b&gt;Esc&lt;/b&gt; closes it.&lt;/li&gt;&lt;li&gt;&lt;b&gt;F6&lt;/b&gt;: open the History of every finished match.&lt;/li&gt;&lt;li&gt;&lt;b&gt;F10&lt;/b&gt;: open the first menu, “Match”; &lt;b&gt;←&lt;/b&gt; and &lt;b&gt;→&lt;/b&gt; move to the others.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;You can play without a mouse. &lt;b&gt;Tab&lt;/b&gt; moves between the buttons, and &lt;b&gt;Space&lt;/b&gt; or &lt;b&gt;Enter&lt;/b&gt; presses one (during a match the digits, 0 and Enter always go to the match). &lt;b&gt;Esc&lt;/b&gt; is the same as %3 on Character Select and as “Close” in the Record window. Screen readers such as Orca announce each landing, block, counter, miss and abandon, the turns left and the result of the match as they happen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;記録&lt;/h3&gt;&lt;p&gt;技ごとに決めた回数と、総合点の上位 %1 つが記録に残ります。ボタン%2（「試合」→「履歴」）で、いつでも見られます。記録は結果画面が出たとき（試合の分はここで必ず残ります）と、再試・再試合・終了のときに書き込まれます。インストールしたゲームでは %3 に、持ち運び用に置いたゲームではプログラムの隣の %4 に置かれます。一つの記録で同時に遊べるゲームは一つだけです。&lt;/p&gt;&lt;p&gt;終えた試合はすべて、記録の隣の %7 に戦績として残ります（F6、「試合」→「戦績」）。グラフと表で見られ、CSV に書き出せます。記録とは別のファイルで、記録には手を触れません。&lt;/p&gt;&lt;h3&gt;技の見つけ方&lt;/h3&gt;&lt;p&gt;技の一覧はどこにもありません。いろいろな並びを放って、自分で見つけてください。多くの技は、テンキーの上に縦・横・斜めの筋を描く並びです。3 桁の技を二つつないだ 6 桁の技や、%5 桁の大技もあります。一度決めた技は記録画面の「技履歴」に加わり、打ち方と説明を確かめられます。&lt;/p&gt;&lt;p&gt;端末では %6 で、この説明にコマンドライン・ファイル・環境変数の説明を加えたものが読めます。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;The record&lt;/h3&gt;&lt;p&gt;The record keeps how often you have landed each technique and the %1 best overall scores. Open it at any time with the %2 button (“Match” → “Record”). It is written when the result screen opens (so a finished match is always kept) and on restart, rematch and quit. An installed game keeps it in %3; a portable copy keeps %4 beside the program. Only one copy of the game at a time can use a record.&lt;/p&gt;&lt;p&gt;Every finished match is also kept in the History, the file %7 beside the record (F6, “Match” → “History”): as a chart and a table, which can be exported as CSV. It is a file of its own and never changes the record.&lt;/p&gt;&lt;h3&gt;Finding techniques&lt;/h3&gt;&lt;p&gt;There is no list of techniques anywhere: launch all kinds of sequences and find them yourself. Many techniques draw a line across the keypad: down, across or diagonally. Some 6-digit techniques are two 3-digit ones joined, and there are great %5-digit ones too. Every technique you land joins the “Techniques” tab of the Record window, which shows how it is struck and what it is.&lt;/p&gt;&lt;p&gt;In a terminal, %6 tells all this too, with the command line, the files and the environment.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;放つ&lt;/h3&gt;&lt;p&gt;並びが技なら命中し、技の点にキャラの倍率を掛けた点が入ります。技でない並びは防がれ、点は入りません。盤にない数字を含む並びは空振りで、%1 点引かれます。使ったマスは赤くなり、新しい数字に入れ替わります。&lt;/p&gt;&lt;h3&gt;ターン&lt;/h3&gt;&lt;p&gt;持ちターンは %2 です。連撃ゲージが空のときに放つと 1 ターン使います。ターンを使い切り、ゲージが空になると試合終了です。&lt;/p&gt;&lt;h3&gt;連撃とゲージ&lt;/h3&gt;&lt;p&gt;技が命中するか反撃を受けると、ゲージが満ちて時とともに減っていきます。ゲージが減っている間は入力欄が桃色になり、連撃を受け付けます。桃色の間に放つとターンを使わず連撃が続き、2 連撃目からは得点に「連撃数 − 1」の掛け数が掛かります（2 連撃目は ×1、3 連撃目は ×2、…）。連撃が続くほど時の進みが速くなります。桃色の間に技でない並びを放つと反撃を受け、%3 点にキャラの倍率と同じ掛け数を掛けた点が引かれます。それでも連撃は途切れません。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Strikes&lt;/h3&gt;&lt;p&gt;If the sequence is a technique, it lands and scores the technique’s points times your character’s multiplier. A sequence that is no technique is blocked and scores nothing. A sequence with a digit that is not on the board is a miss and costs %1 points. The cells you used turn red and are dealt new digits.&lt;/p&gt;&lt;h3&gt;Turns&lt;/h3&gt;&lt;p&gt;You have %2 turns. A strike launched while the combo gauge is empty uses one turn. When the turns are spent and the gauge is empty, the match ends.&lt;/p&gt;&lt;h3&gt;Combos and the combo gauge&lt;/h3&gt;&lt;p&gt;When a technique lands or you are countered, the gauge fills and then drains with time. While it drains a combo is open, and the input box turns pink. A strike launched while a combo is open uses no turn and carries the combo on: from the combo’s 2nd strike its points are multiplied by the combo count minus 1 (the 2nd strike ×1, the 3rd ×2, …). The longer the combo, the faster the gauge drains. A sequence that is no technique while a combo is open is countered and costs %3 points times your character’s multiplier and the same combo multiplier; the combo goes on even then.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;効果音&lt;/h3&gt;&lt;p&gt;一撃の結果と試合の節目は、音でもわかります。&lt;/p&gt;&lt;ul&gt;&lt;li&gt;命中：風を切る音と、刃の鳴る音。連撃が続くごとに一段ずつ高く鳴ります（%1 連撃目まで）。&lt;/li&gt;&lt;li&gt;防がれた：木を打つ鈍い音。&lt;/li&gt;&lt;li&gt;反撃：ふくらんで弾ける鋭い音。&lt;/li&gt;&lt;li&gt;空振：空を切る音。&lt;/li&gt;&lt;li&gt;姿勢を崩した（Enter）：よろける足音。&lt;/li&gt;&lt;li&gt;最後のターンを使ったとき：低い銅鑼。&lt;/li&gt;&lt;li&gt;試合終了：拍子木。続いて結果画面が開くと琴の音、総合点が上位 %2 つに入ると鈴の音が鳴ります。&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;音を消すには「設定」→「効果」→「効果音」のチェックを外します。次に起動したときも消えたままです。音を出せない環境でも、ゲームは音なしでそのまま遊べます。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Sounds&lt;/h3&gt;&lt;p&gt;Every strike’s outcome and every turning point of a match can be heard too.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Landing: a swish and a ringing blade, one step higher at each strike of a combo (up to the %1th).&lt;/li&gt;&lt;li&gt;Block: a dull wooden knock.&lt;/li&gt;&lt;li&gt;Counter: a ring that swells into a sharp snap.&lt;/li&gt;&lt;li&gt;Miss: an airy whoosh.&lt;/li&gt;&lt;li&gt;Abandon (Enter): a stumble.&lt;/li&gt;&lt;li&gt;The last turn spent: a low gong.&lt;/li&gt;&lt;li&gt;The end of the match: wooden clappers; then a plucked flourish as the result screen opens, and a bright chime when the overall score is among the %2 best.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;To turn the sounds off, uncheck “Settings” → “Sound” → “Sound effects”; they stay off at the next start. Where no sound can be played, the game plays on silently.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>rz6::HelpWindow</name>
    <message>
        <source>遊び方</source>
        <translation>How to Play</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>rz6::HistoryCsv</name>
    <message>
        <source>CSVファイル「%1」に書き出せませんでした。
理由：%2</source>
        <translation>The CSV file “%1” could not be written.
Reason: %2</translation>
    </message>
    <message>
        <source>終了日時,キャラ,評価点,技術点,総合評価,段位,最大コンボ,命中,防御,空振り,反撃,中断,技,盤の種,キー<byte value="xd"/>
</source>
        <translation>Ended,Character,Score,Technique points,Overall score,Rank,Longest combo,Landed,Blocked,Misses,Counters,Abandoned,Techniques,Board seed,Keys<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ゲームの記録ファイルか戦績ファイルです。上書きはしません</source>
        <translation>That is the game’s record file or its history file. It is not overwritten</translation>
    </message>
</context>
<context>
    <name>rz6::HistoryScreen</name>
    <message>
        <source>ファイルがありません</source>
        <translation>the file is missing</translation>
    </message>
    <message>
        <source>読み込めませんでした（%1）</source>
        <translation>it could not be loaded (%1)</translation>
    </message>
    <message>
        <source>戦績の画面「%1」を開けませんでした。
理由：%2</source>
        <translation>The history screen “%1” could not be opened.
Reason: %2</translation>
    </message>
    <message>
        <source>戦績の画面を開けませんでした。
理由：このゲームとは別の版のライブラリです</source>
        <translation>The history screen could not be opened.
Reason: the library belongs to another version of the game</translation>
    </message>
    <message>
        <source>戦績を記録するライブラリ「%1」を使えません。試合は戦績に残りません。
理由：%2</source>
        <translation>The history’s library “%1” cannot be used, so matches are not kept in the history.
Reason: %2</translation>
    </message>
    <message>
        <source>このゲームとは別の版のライブラリです</source>
        <translation>the library belongs to another version of the game</translation>
    </message>
    <message>
        <source>再生の画面「%1」を開けませんでした。
理由：%2</source>
        <translation>Could not open the replay screen “%1”.
Reason: %2</translation>
    </message>
    <message>
        <source>この試合は戦績にもうありません。</source>
        <translation>This match is no longer in the history.</translation>
    </message>
</context>
<context>
    <name>rz6::HistoryStore</name>
    <message>
        <source>この試合は戦績に残りません（記録ファイルにはいつも通り保存されます）。</source>
        <translation>This match is not in the history; your record is saved as always.</translation>
    </message>
    <message>
        <source>戦績ファイル「%1」を開けませんでした。
理由：%2</source>
        <translation>The history file “%1” could not be opened.
Reason: %2</translation>
    </message>
    <message>
        <source>戦績ファイル「%1」に書き込めませんでした。この試合は戦績に残りません（記録ファイルにはいつも通り保存されます）。
理由：%2</source>
        <translation>The history file “%1” could not be written. This match is not in the history (the record file is saved as always).
Reason: %2</translation>
    </message>
    <message>
        <source>戦績ファイル「%1」は読むだけで開きました。これからの試合は戦績に残りません（記録ファイルにはいつも通り保存されます）。
理由：%2</source>
        <translation>The history file “%1” was opened read-only. Matches from now on are not kept in the history (the record file is saved as always).
Reason: %2</translation>
    </message>
    <message>
        <source>このゲームの戦績ファイルではないか、壊れています</source>
        <translation>It is not this game’s history file, or it is damaged</translation>
    </message>
    <message>
        <source>ほかのプログラムが使用中です</source>
        <translation>Another program is using it</translation>
    </message>
    <message>
        <source>データベースのエラー（%1）</source>
        <translation>Database error (%1)</translation>
    </message>
    <message>
        <source>開いている間に別のファイルに置き換えられました</source>
        <translation>It was replaced by another file while open</translation>
    </message>
    <message>
        <source>ほかのプログラムのデータベースです</source>
        <translation>It is another program’s database</translation>
    </message>
    <message>
        <source>新しい版のゲームで作られたファイルです（版 %1、このゲームは版 %2 まで）</source>
        <translation>It was made by a newer version of the game (version %1; this game reads up to version %2)</translation>
    </message>
    <message>
        <source>戦績ファイル「%1」を開けませんでした。そばの「%2」が使えません。
理由：%3</source>
        <translation>The history file “%1” could not be opened. “%2” beside it cannot be used.
Reason: %3</translation>
    </message>
</context>
<context>
    <name>rz6::HistoryWindow</name>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>日時（%1）</source>
        <translation>Date (%1)</translation>
    </message>
    <message>
        <source>キャラ</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>総合評価</source>
        <translation>Overall score</translation>
    </message>
    <message>
        <source>段位</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>最大コンボ</source>
        <translation>Longest combo</translation>
    </message>
    <message>
        <source>命中</source>
        <translation>Landed</translation>
    </message>
    <message>
        <source>戦績</source>
        <translation>History</translation>
    </message>
    <message>
        <source>キャラ(&amp;K)：</source>
        <translation>&amp;Character:</translation>
    </message>
    <message>
        <source>キャラで絞り込む</source>
        <translation>Filter by character</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>試合の一覧</source>
        <translation>Matches</translation>
    </message>
    <message>
        <source>まだ戦績がありません。試合を終えると、ここに残ります。</source>
        <translation>No history yet. Finished matches appear here.</translation>
    </message>
    <message>
        <source>CSVに書き出す</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>直近10試合の平均</source>
        <translation>Average of the last 10</translation>
    </message>
    <message>
        <source>上位5試合</source>
        <translation>Best five</translation>
    </message>
    <message>
        <source>総合評価のグラフ</source>
        <translation>Overall score chart</translation>
    </message>
    <message>
        <source>試合数 0</source>
        <translation>Matches: 0</translation>
    </message>
    <message>
        <source>%1試合&#x3000;最高 %2&#x3000;平均 %3&#x3000;直近10試合 %4</source>
        <translation>Matches: %1 · Best: %2 · Average: %3 · Last 10: %4</translation>
    </message>
    <message>
        <source>全体：</source>
        <translation>All: </translation>
    </message>
    <message>
        <source>
%1：</source>
        <translation>
%1: </translation>
    </message>
    <message>
        <source>総合評価のグラフ。まだ試合がありません。</source>
        <translation>Overall score chart. No matches yet.</translation>
    </message>
    <message>
        <source>直近10試合はその前の10試合より上向きです。</source>
        <translation>The last 10 matches are up on the 10 before them.</translation>
    </message>
    <message>
        <source>直近10試合はその前の10試合より下向きです。</source>
        <translation>The last 10 matches are down on the 10 before them.</translation>
    </message>
    <message>
        <source>直近10試合はその前の10試合とほぼ同じです。</source>
        <translation>The last 10 matches are about the same as the 10 before them.</translation>
    </message>
    <message>
        <source>傾向を見るには20試合が必要です。</source>
        <translation>A trend needs 20 matches.</translation>
    </message>
    <message>
        <source>総合評価のグラフ。%1試合、最高 %2、平均 %3、直近10試合の平均 %4。%5</source>
        <translation>Overall score chart. Matches: %1, best: %2, average: %3, average of the last 10: %4. %5</translation>
    </message>
    <message>
        <source>試合の番号（遊んだ順）と日付（%1）</source>
        <translation>Match, in the order played, and date (%1)</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>再生ファイルに書き出す</source>
        <translation>Export Replay…</translation>
    </message>
    <message>
        <source>再生ファイルを開く</source>
        <translation>Open Replay…</translation>
    </message>
    <message>
        <source>再生ファイル (*%1)</source>
        <translation>Replay files (*%1)</translation>
    </message>
</context>
<context>
    <name>rz6::Language</name>
    <message>
        <source>言語の設定ファイル「%1」を読めませんでした。今回はデスクトップの言語で表示します。
理由：%2</source>
        <translation>The settings file “%1” could not be read, so the game uses your desktop’s language this time.
Reason: %2</translation>
    </message>
    <message>
        <source>言語の設定を「%1」に保存できませんでした。
理由：%2</source>
        <translation>The language setting could not be saved to “%1”.
Reason: %2</translation>
    </message>
    <message>
        <source>効果音の設定を「%1」に保存できませんでした。
理由：%2</source>
        <translation>Could not save the sound effects setting to “%1”.
Reason: %2</translation>
    </message>
</context>
<context>
    <name>rz6::RecordFile</name>
    <message>
        <source>記録ファイル「%1」を読み込めませんでした。
理由：%2</source>
        <translation>The record file “%1” could not be read.
Reason: %2</translation>
    </message>
    <message>
        <source>記録ファイル「%1」に書き込めませんでした。
理由：%2</source>
        <translation>The record file “%1” could not be written.
Reason: %2</translation>
    </message>
    <message>
        <source>記録ファイル「%1」は読み込めなかったため、これまでの記録を守るために上書きしませんでした。この回の記録は保存されていません。
理由：%2</source>
        <translation>The record file “%1” could not be read, so it was not overwritten, to protect the record so far. This session’s record has not been saved.
Reason: %2</translation>
    </message>
</context>
<context>
    <name>rz6::RecordLocation</name>
    <message>
        <source>記録を保存するフォルダが見つかりません。</source>
        <translation>No folder was found to keep the record in.</translation>
    </message>
    <message>
        <source>記録を保存するフォルダを作成できません。
%1
理由：%2</source>
        <translation>The folder for the record cannot be created.
%1
Reason: %2</translation>
    </message>
    <message>
        <source>記録を保存するフォルダに書き込めません。
%1</source>
        <translation>The folder for the record cannot be written to.
%1</translation>
    </message>
</context>
<context>
    <name>rz6::RecordLock</name>
    <message>
        <source>ロックファイル「%1」を使えません。
理由：%2</source>
        <translation>The lock file “%1” cannot be used.
Reason: %2</translation>
    </message>
    <message>
        <source>既に起動されています。</source>
        <translation>The game is already running.</translation>
    </message>
    <message>
        <source>既に起動されている別のコピーが記録を使っているため、記録を保存しませんでした。</source>
        <translation>Another copy of the game that is already running uses the record, so the record was not saved.</translation>
    </message>
    <message>
        <source>既に起動されています。
別のコンピュータ「%1」が記録を使用中です（ロックファイル「%2」）。</source>
        <translation>The game is already running.
Another computer, “%1”, is using the record (lock file “%2”).</translation>
    </message>
</context>
<context>
    <name>rz6::ReplayControls</name>
    <message>
        <source>0.5倍速</source>
        <translation>½×</translation>
    </message>
    <message>
        <source>1倍速</source>
        <translation>1×</translation>
    </message>
    <message>
        <source>2倍速</source>
        <translation>2×</translation>
    </message>
    <message>
        <source>4倍速</source>
        <translation>4×</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>再生終了</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>再生中</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>再生&#x3000;%1&#x3000;%2</source>
        <translation>Replay — %1, %2</translation>
    </message>
    <message>
        <source>%1&#x3000;%2&#x3000;｜&#x3000;Space 停止・再開&#x3000;1〜4 速さ&#x3000;→ 次の技&#x3000;Home 最初から&#x3000;Esc 閉じる</source>
        <translation>%1  %2  |  Space pause/resume  1–4 speed  → next strike  Home from the start  Esc close</translation>
    </message>
</context>
<context>
    <name>rz6::ReplayFile</name>
    <message>
        <source>再生ファイル「%1」を読めませんでした。
理由：%2</source>
        <translation>Could not read the replay file “%1”.
Reason: %2</translation>
    </message>
    <message>
        <source>再生ファイル「%1」に書き出せませんでした。
理由：%2</source>
        <translation>Could not write the replay file “%1”.
Reason: %2</translation>
    </message>
    <message>
        <source>このゲームの再生ファイルではないか、壊れています</source>
        <translation>it is not a replay file of this game, or it is damaged</translation>
    </message>
    <message>
        <source>大きすぎます（再生ファイルは %1 バイトまで）</source>
        <translation>it is too large (a replay file holds at most %1 bytes)</translation>
    </message>
    <message>
        <source>新しい版のゲームで作られたファイルです（版 %1、このゲームは版 %2 まで）</source>
        <translation>it was made by a newer version of the game (format %1; this game reads up to format %2)</translation>
    </message>
</context>
<context>
    <name>rz6::ResultWindow</name>
    <message>
        <source>競技終了</source>
        <translation>Match Over</translation>
    </message>
    <message>
        <source>ランク</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>ランク一覧</source>
        <translation>Ranks</translation>
    </message>
    <message>
        <source>ランク </source>
        <translation>Rank </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>再試合</source>
        <translation>Rematch</translation>
    </message>
    <message>
        <source>終&#x3000;了</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>rz6::SystemText</name>
    <message>
        <source>アクセスが許可されていません</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>No space left on the disk</translation>
    </message>
    <message>
        <source>ディスクの使用量の上限に達しました</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>読み取り専用の場所です</source>
        <translation>The place is read-only</translation>
    </message>
    <message>
        <source>ファイルまたはフォルダがありません</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>途中のフォルダがフォルダではありません</source>
        <translation>A folder on the way is not a folder</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <translation>It is a folder</translation>
    </message>
    <message>
        <source>ファイルの場所を示す名前が長すぎます</source>
        <translation>The file’s path is too long</translation>
    </message>
    <message>
        <source>ファイルの大きさの上限を超えます</source>
        <translation>The file would exceed the size limit</translation>
    </message>
    <message>
        <source>読み書きの途中で装置のエラーが起きました</source>
        <translation>A device error happened while reading or writing</translation>
    </message>
    <message>
        <source>シンボリックリンクです</source>
        <translation>It is a symbolic link</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation>Too many files are open</translation>
    </message>
    <message>
        <source>メモリが足りません</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>同じ名前のものが既にあります</source>
        <translation>Something with that name already exists</translation>
    </message>
    <message>
        <source>使用中です</source>
        <translation>It is in use</translation>
    </message>
    <message>
        <source>今は使えません</source>
        <translation>It cannot be used right now</translation>
    </message>
    <message>
        <source>装置がありません</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>システムのエラー（番号 %1）</source>
        <translation>System error (number %1)</translation>
    </message>
    <message>
        <source>シンボリックリンク</source>
        <translation>symbolic link</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>名前付きパイプ（FIFO）</source>
        <translation>named pipe (FIFO)</translation>
    </message>
    <message>
        <source>デバイスファイル</source>
        <translation>device file</translation>
    </message>
    <message>
        <source>ソケット</source>
        <translation>socket</translation>
    </message>
    <message>
        <source>通常のファイル</source>
        <translation>regular file</translation>
    </message>
    <message>
        <source>種類のわからないファイル</source>
        <translation>file of an unknown kind</translation>
    </message>
    <message>
        <source>通常のファイルではなく、%1です</source>
        <translation>it is not a regular file but a %1</translation>
    </message>
</context>
<context>
    <name>rz6::TechniqueRecordWindow</name>
    <message>
        <source>技詳細</source>
        <translation>Technique</translation>
    </message>
    <message>
        <source>技履歴</source>
        <translation>Techniques</translation>
    </message>
    <message>
        <source>得点履歴</source>
        <translation>Best Five</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>四天六門</source>
        <translation>Hidden Gates</translation>
    </message>
    <message>
        <source>%1、%2回、%3</source>
        <translation>%1, landings: %2, %3</translation>
    </message>
    <message>
        <source>技履歴</source>
        <comment>window</comment>
        <translation>Record</translation>
    </message>
</context>
</TS>
