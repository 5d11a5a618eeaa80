/*
Zarvex 1.0
Copyright (C) 2026 Zarvex developers. All rights reserved.
https://zarvex.example.org/
https://zarvex.example.org/support/
*/

function initNavyBar2(bxAb,byAb,bzAb,BaAb,BbAb,BcAb,BdAb) {
var BfAb = { Bxay: byAb, bZay: bzAb, BAay: BaAb, BKay: BbAb, BLay: BcAb, BMay: BdAb };
NavyBar = Velmo.construct(bxAb, BfAb);
};

function initNavyBar() {
initNavyBar2('NavyBar_ul',0,1,1,0,200,0);
};

BeAb = window.onload;
window.onload = function(_e)
{
if (BeAb != null)
{
BeAb();
};
initNavyBar();
};


