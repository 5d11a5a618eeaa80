/*
Zarvex 1.0
Copyright (C) 2026 Zarvex developers. All rights reserved.
https://zarvex.example.org/
https://zarvex.example.org/support/
*/

function initClickMenu2(bxAb,byAb,bzAb,BaAb,BbAb,BcAb,BdAb) {
var BfAb = { Bxay: byAb, bZay: bzAb, BAay: BaAb, BKay: BbAb, BLay: BcAb, BMay: BdAb };
ClickMenu = Velmo.construct(bxAb, BfAb);
};

function initClickMenu() {
initClickMenu2('ClickMenu_ul',0,1,1,1,400,0);
};

BeAb = window.onload;
window.onload = function(_e)
{
if (BeAb != null)
{
BeAb();
};
initClickMenu();
};


