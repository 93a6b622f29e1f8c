// The two instruction pages of each game. Everything that matters keeps
// inside the 592 x 543 client area.
#include "actors.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"

namespace art {
using namespace pal;

namespace {

void page_frame(Canvas& c, const char* title, Color accent) {
    c.fill(Black);
    c.round_rect(8, 8, 576, 527, 14, accent);
    c.round_rect(11, 11, 570, 521, 12, Black);
    c.round_rect(150, 20, 292, 44, 10, accent);
    font().draw_centred(c, 296, 26, title, lettering(White, 2, Black));
}

// A mouse seen from above. held: button shown held down (red), -1 none;
// tap: button shown being clicked (yellow with a flash), -1 none.
void mouse_picture(Canvas& c, int x, int y, int held, int tap) {
    c.line(x + 28, y, x + 28, y - 18, 3, Gray);
    c.round_rect(x, y, 56, 84, 24, Gray);
    c.round_rect(x + 2, y + 2, 52, 80, 22, Silver);
    c.rect(x + 27, y + 2, 2, 34, Gray);
    c.rect(x + 2, y + 35, 52, 2, Gray);
    for (int b = 0; b < 2; ++b) {
        Color face = b == held ? Red : b == tap ? Yellow : White;
        c.round_rect(x + 5 + 25 * b, y + 5, 21, 29, 9, face);
    }
    if (tap >= 0) draw_flash(c, x + 8 + 40 * tap, y + 6, 10, Yellow, White);
}

// The left 80 columns of the controls page: how to press. The page blinks
// between this strip and the same strip with the other button lit.
void mouse_strip(Canvas& c, int lit) {
    font().draw_centred(c, 46, 92, tr("移動", "Move"), lettering(Yellow));
    mouse_picture(c, 18, 132, -1, lit);
    font().draw_centred(c, 46, 222, lit == 0 ? "←" : "→", lettering(White, 2, Red));
    font().draw_centred(c, 46, 290, tr("発射", "Fire"), lettering(Fuchsia));
    mouse_picture(c, 18, 330, 1 - lit, lit);
    font().draw_centred(c, 44, 418, tr("押さえて", "Hold,"), lettering(Red));
    font().draw_centred(c, 44, 436, tr("クリック", "click"), lettering(Yellow));
}

void key_cap(Canvas& c, int x, int y, int w, const char* label, Color face) {
    c.round_rect(x, y, w, 40, 6, Gray);
    c.round_rect(x + 2, y + 2, w - 4, 33, 5, face);
    font().draw_centred(c, x + w / 2, y + 4, label, lettering(Black, 1));
}

}  // namespace

// Controls of the shooting game; columns 600..679 hold the left 80 columns
// again with the other mouse button lit (the game copies them from x 599).
static Canvas controls_page(int lit) {
    Canvas page(600, 570, Black);
    page_frame(page, tr("操作説明", "Controls"), Red);
    mouse_strip(page, lit);
    int x = 100;
    font().draw(page, x, 90, tr("むぶ（自分）は マウスで 動かします。", "You are Mubu. You move with the mouse."),
                lettering(White));
    font().draw(page, x, 150, tr("左クリック … 左へ 移動", "Left click .. step left"), lettering(Yellow, 2));
    font().draw(page, x, 200, tr("右クリック … 右へ 移動", "Right click .. step right"), lettering(Yellow, 2));
    font().draw(page, x, 270, tr("片方のボタンを 押したまま", "Hold one button down,"), lettering(Aqua, 2));
    font().draw(page, x, 310, tr("もう片方を クリックすると", "click the other one"), lettering(Aqua, 2));
    font().draw(page, x, 350, tr("ハートを 発射！", "and fire a heart!"), lettering(Fuchsia, 2, White));
    font().draw(page, x, 410, tr("ハートは 同時に 4発まで 飛ばせます。", "Up to 4 hearts can fly at once."),
                lettering(White));
    font().draw(page, x, 440, tr("左はじの 絵が 押し方の お手本です。", "The pictures on the left show how."),
                lettering(White));
    font().draw(page, x, 462, tr("（赤は 押したまま、 黄色は クリック）", "(Red: hold it down. Yellow: click.)"),
                lettering(Silver));
    Canvas face = layer(60, 60, [](Canvas& l) { draw_mub(l, 30, 30, 24, Look::Right); }, Black);
    page.draw(face, 500, 440);
    for (int k = 0; k < 3; ++k) draw_heart(page, 530, 420 - 32 * k, 10, Red, Maroon);
    font().draw(page, 360, 495, tr("クリックで 次のページへ", "Click for the next page"), lettering(Silver));
    return page;
}

// Controls of the shooting game; columns 599..678 hold the left 80 columns
// again with the other mouse button lit (the game copies them from x 599).
Canvas pic_mub_se_1() {
    Canvas c(680, 570, Black);
    c.draw(controls_page(0), 0, 0);
    Canvas alt = controls_page(1);
    for (int y = 0; y < 570; ++y)
        for (int i = 0; i < 80; ++i) c.set(599 + i, y, alt.get(i, y));
    return c;
}

Canvas pic_mub_se_2() {
    Canvas c(680, 553, Black);
    Canvas page(600, 553, Black);
    page_frame(page, tr("ルール説明", "Rules"), Blue);
    int x = 40;
    CrabPose p;
    p.claws = 1;
    page.draw(layer(60, 60, [&](Canvas& l) { draw_crab(l, 30, 32, 16, cyan_crab(), p); }, Black), x, 85);
    font().draw(page, x + 70, 92, tr("カニ 3匹と ボスガニを ハートで", "Zap the 3 crabs and the boss crab with hearts"),
                lettering(White, 1));
    font().draw(page, x + 70, 112, tr("やっつければ 勝ち！", "and you win!"), lettering(Yellow, 2));
    CrabPose b;
    b.claws = 2;
    b.crown = true;
    b.look = Look::Angry;
    for (int k = 0; k < 3; ++k)
        page.draw(layer(70, 60, [&](Canvas& l) { draw_crab(l, 35, 34, 17, boss_crab(k), b); }, Black), x + 60 * k, 170);
    font().draw(page, x + 200, 180, tr("ボスガニは 緑→黄→赤と 3回", "The boss crab gets back up until"),
                lettering(White));
    font().draw(page, x + 200, 202, tr("倒すまで 復活する！", "beaten 3 times: green→yellow→red!"), lettering(Lime, 1));
    page.draw(layer(40, 40, [](Canvas& l) { draw_pile(l, 20, 36, 11, 0); }, Black), x + 10, 260);
    page.draw(layer(40, 40, [](Canvas& l) { draw_pile(l, 20, 36, 11, 1); }, Black), x + 60, 260);
    font().draw(page, x + 120, 262, tr("敵は うんこを 落としてくる。", "The enemies drop poop on you."), lettering(White));
    font().draw(page, x + 120, 284, tr("当たると 命の灯火が 減り、", "Every hit burns down your Life;"), lettering(White));
    font().draw(page, x + 120, 306, tr("3回 当たると その回は 負け。", "3 hits and the round is lost."),
                lettering(Red, 1, White));
    for (int k = 0; k < 3; ++k) draw_candle(page, x + 20 + 26 * k, 330, 24, 28, k);
    font().draw(page, x, 380, tr("勝負は 5回戦。 勝つたびに 敵が 速くなる！", "5 rounds. Every win makes the enemies faster!"),
                lettering(Aqua));
    font().draw(page, x, 410, tr("ハートと うんこが ぶつかると 消える", "You can also turn on \"cancel-out\":"),
                lettering(White));
    font().draw(page, x, 430, tr("「相殺」も 選べます。", "a heart and a poop that collide both vanish."),
                lettering(White));
    font().draw(page, x, 470, tr("最後に 成績を 判定します。", "At the end, you get your grade."), lettering(Yellow));
    font().draw(page, 330, 500, tr("クリックで ゲーム開始", "Click to start the game"), lettering(Silver));
    c.draw(page, 0, 0);
    return c;
}

// Keys of the whack game: z x c v b for the five holes, Enter to strike.
Canvas pic_mub2_se_1() {
    Canvas c(601, 550, Black);
    page_frame(c, tr("操作説明", "Controls"), Aqua);
    font().draw(c, 40, 86, tr("キーボードの z x c v b で、 5つの 穴を 叩く！", "Whack the 5 holes with the keys z x c v b!"),
                lettering(White));
    const char* keys[] = {"z", "x", "c", "v", "b"};
    int hx[] = {60, 160, 260, 360, 460};
    int hy[] = {180, 250, 180, 250, 180};
    c.round_rect(36, 112, 528, 204, 16, Olive);
    c.dither_rect(40, 116, 520, 196, Olive, Yellow, 3);
    for (int k = 0; k < 5; ++k) {
        draw_hole_back(c, hx[k] + 40, hy[k] + 50, 30, 9);
        if (k == 3) {
            Canvas ball = layer(40, 40, [](Canvas& l) { draw_mub(l, 20, 20, 13, Look::Happy); });
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    if (ball.get(x, y) != kClear) c.set(hx[k] + 20 + x, hy[k] + 22 + y, ball.get(x, y));
        }
        draw_hole_front(c, hx[k] + 40, hy[k] + 50, 30, 9);
        key_cap(c, hx[k] + 18, hy[k] - 10, 44, keys[k], White);
    }
    CrabPose p;
    p.claws = 2;
    c.draw(layer(60, 60, [&](Canvas& l) { draw_crab(l, 30, 32, 16, cyan_crab(), p); }, Black), 270, 110);
    key_cap(c, 40, 330, 90, "Enter", Yellow);
    font().draw(c, 145, 340, tr("… 今いる 穴を もう一度 叩く", "... whack the same hole again"), lettering(White, 1));
    font().draw(c, 40, 400, tr("叩いている 間は 動けません。", "You cannot move while you whack."), lettering(White));
    font().draw(c, 40, 425, tr("大文字（Shift・CapsLock）では 動きません。", "Capitals (Shift, Caps Lock) do not count."),
                lettering(Silver));
    font().draw(c, 300, 500, tr("Enterで 次のページへ", "Enter for the next page"), lettering(Silver));
    return c;
}

Canvas pic_mub2_se_2() {
    Canvas c(680, 555, Black);
    Canvas page(600, 555, Black);
    page_frame(page, tr("ルール説明", "Rules"), Lime);
    int x = 40;
    page.draw(layer(50, 50, [](Canvas& l) { draw_mub(l, 25, 25, 18, Look::Happy); }, Black), x, 86);
    font().draw(page, x + 60, 90, tr("穴から 顔を出す 敵を 叩こう！", "Whack the enemies that pop out of the holes!"),
                lettering(White, 1));
    font().draw(page, x + 60, 110, tr("倒した数が 得点になる。", "Every one you whack is a point."), lettering(Yellow, 1));
    font().draw(page, x, 160, tr("放っておくと 反撃される！", "Leave them be, they strike back!"), lettering(Red, 2, White));
    font().draw(page, x, 200, tr("「反撃!」 「うんこ返し!!」で カニ（自分）が やられる。",
                                 "\"Wham!\" \"Poop back!!\" and you, the crab, are done for."),
                lettering(White));
    font().draw(page, x, 222, tr("反撃された数は 得点から 引かれます。", "Every strike back costs you a point."),
                lettering(White));
    font().draw(page, x, 270, tr("時間延長", "Extra time"), lettering(Aqua, 2));
    font().draw(page, x, 310, tr("敵を 25匹 倒すと 時間が 延長される。", "Whack 25 enemies and you get extra time."),
                lettering(White));
    font().draw(page, x, 332, tr("延長すると 敵が 2匹になる！", "With extra time, 2 enemies come at once!"),
                lettering(White));
    font().draw(page, x, 354, tr("（延長は 5回まで。 あと何匹かは 画面に 出ます）",
                                 "(5 times at most. The screen shows how many to go.)"),
                lettering(Silver));
    font().draw(page, x, 400, tr("残り時間が 0になると 終了。", "The game ends when the time runs out."),
                lettering(White));
    font().draw(page, x, 422, tr("時間が 減るほど 敵は 素早くなる。", "The less time is left, the faster the enemies."),
                lettering(White));
    font().draw(page, 300, 500, tr("Enterで ゲーム開始", "Enter to start the game"), lettering(Silver));
    c.draw(page, 0, 0);
    return c;
}

}  // namespace art
