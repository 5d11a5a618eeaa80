/*
Zarvex 1.0
Copyright (C) 2026 Zarvex developers. All rights reserved.
https://zarvex.example.org/
https://zarvex.example.org/support/
*/

function initFlatBar2(bxAb,byAb,bzAb,BaAb,BbAb,BcAb,BdAb) {
var BfAb = { Bxay: byAb, bZay: bzAb, BAay: BaAb, BKay: BbAb, BLay: BcAb, BMay: BdAb };
FlatBar = Velmo.construct(bxAb, BfAb);
};

function initFlatBar() {
initFlatBar2('FlatBar_ul',0,1,0,0,150,0);
};

BeAb = window.onload;
window.onload = function(_e)
{
if (BeAb != null)
{
BeAb();
};
initFlatBar();
};


