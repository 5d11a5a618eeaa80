/*
Zarvex 1.0
Copyright (C) 2026 Zarvex developers. All rights reserved.
https://zarvex.example.org/
https://zarvex.example.org/support/
*/

function initRetroBar2(bxAb,byAb,bzAb,BaAb,BbAb,BcAb,BdAb) {
var BfAb = { Bxay: byAb, bZay: bzAb, BAay: BaAb, BKay: BbAb, BLay: BcAb, BMay: BdAb };
RetroBar = Velmo.construct(bxAb, BfAb);
};

function initRetroBar() {
initRetroBar2('RetroBar_ul',0,1,1,0,100,2);
};

BeAb = window.onload;
window.onload = function(_e)
{
if (BeAb != null)
{
BeAb();
};
initRetroBar();
};


