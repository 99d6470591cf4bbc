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
        <translation>Ren Haibara</translation>
    </message>
    <message>
        <source>灰原&#x3000;雪菜</source>
        <translation>Yukina Haibara</translation>
    </message>
    <message>
        <source>真壁&#x3000;左近</source>
        <translation>Sakon Makabe</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;聖</source>
        <translation>Sword Saint</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;神</source>
        <translation>Sword God</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;鬼</source>
        <translation>Sword Demon</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;豪</source>
        <translation>Sword Master</translation>
    </message>
    <message>
        <source>剣&#x3000;&#x3000;士</source>
        <translation>Swordsman</translation>
    </message>
    <message>
        <source>免許皆伝</source>
        <translation>Grandmaster</translation>
    </message>
    <message>
        <source>目&#x3000;&#x3000;録</source>
        <translation>Licensed</translation>
    </message>
    <message>
        <source>中 目 録</source>
        <translation>Adept</translation>
    </message>
    <message>
        <source>門&#x3000;&#x3000;人</source>
        <translation>Disciple</translation>
    </message>
    <message>
        <source>入 門 者</source>
        <translation>Novice</translation>
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
        <translation>Rating</translation>
    </message>
    <message>
        <source>使用キャラ&#x3000;:&#x3000;%1</source>
        <translation>Character : %1</translation>
    </message>
    <message>
        <source>%1連撃</source>
        <translation>%1 combo</translation>
    </message>
    <message>
        <source>盤 %1行%2列</source>
        <translation>Board row %1, column %2</translation>
    </message>
    <message>
        <source>（使用済み）</source>
        <translation> (spent)</translation>
    </message>
    <message>
        <source>入力（連撃受付中）</source>
        <translation>Keys typed (combo open)</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Keys typed</translation>
    </message>
    <message>
        <source>%1点</source>
        <translation>%1 points</translation>
    </message>
    <message>
        <source>残り%1ターン</source>
        <translation>%1 turns left</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>rz6::GameProgram</name>
    <message>
        <source>言語の設定を「%1」に保存できませんでした。</source>
        <translation>The language setting could not be saved to “%1”.</translation>
    </message>
</context>
</TS>
