/*
Zarvex 1.0
Copyright (C) 2026 Zarvex developers. All rights reserved.
https://zarvex.example.org/
https://zarvex.example.org/support/
*/

function initMy Menu2(bxAb,byAb,bzAb,BaAb,BbAb,BcAb,BdAb) {
var BfAb = { Bxay: byAb, bZay: bzAb, BAay: BaAb, BKay: BbAb, BLay: BcAb, BMay: BdAb };
My Menu = Velmo.construct(bxAb, BfAb);
};

function initMy Menu() {
initMy Menu2('My Menu_ul',0,1,1,0,100,0);
};

BeAb = window.onload;
window.onload = function(_e)
{
if (BeAb != null)
{
BeAb();
};
initMy Menu();
};


