# 药包材再注册申请表的打印模板：三页。
template YBCZZCSQB_Form
printer ""

page ""
text 280 68 244 28 "国家药品监督管理部门" font=黑体 size=16 align=2
text 240 108 300 34 "药包材再注册申请表" size=24 bold align=2
text 100 128 64 18 "040417" font=Arial size=8 flags=0x43
# The page border is drawn as four lines; the table's rows rule the inside.
line 96 144 604 0
line 96 984 604 0
line 96 144 0 840
line 700 144 0 840
table 96 144 604 rowheight=26
section "申请事项"
row
  t "1.本品种属于："
  r rdbXYSQ "境内生产药包材"
  r rdbYYGJBZ "进口药包材"
endsection
# Headings break where the words part: four characters fill the column.
section "药包材\n情况"
row
  t "2.产品通用名称："
  fill edtYPTYMC
row
  t "3.商品名称："
  fill edtYPSPMC
row
  t "4.英文名："
  fill edtYPYWM
row
  t "5.规格："
  fill edtYPQTM
row
  t "6.包装："
  fill edtBZGG
# The caption of item 7 is an object of its own name.
row
  f memo111 82 "7.执行标准："
  r rdbjbg "国家标准，编号："
  fill edtZGYD
row
  skip 82
  r rdbJB "企业标准，编号："
  fill edtJB
endsection
section "相关情况"
row
  t "8.成份" width=56
  t "中文："
  fill edtYPCFZW
row
  skip 56
  t "英文："
  fill edtYPCFYW
row
  t "9.药包材注册证书号："
  f edtYPPZWH 220
  t "批准日期："
  f dtpYPpZRQ 90 small
row
  t "10.是否对药包材的下述项目做了变更："
row
  skip 20
  t "处方："
  r rdbBGXMCFF "否"
  r rdbBGXMCFT "是"
  skip 30
  t "生产工艺："
  r rdbBGXMGYF "否"
  r rdbBGXMGYT "是"
  skip 30
  t "药品标准："
  r rdbBGXMBZF "否"
  r rdbBGXMBZT "是"
row
  t "11.是否申报过补充申请或者其他形式的变更申请"
  r rdbQTBGF "否"
  r rdbBQTBGT "是"
  t "，请简要填写历次变更情况："
# The earlier applications: fifteen lines under four column heads, the
# acceptance number first; three rules part the columns. Each line holds two
# lines of text.
row
  t "受理号" width=120 align=10
  t "补充申请事项或其他变更申请" width=250 align=10
  t "审批情况" width=70 align=10
  t "批件编号" width=96 align=10
repeat N=1..14
row 30 top
  f edtQTSLH{N} 116
  col 120
  f edtQTSX{N} 246
  col 370
  f edtQTSP{N} 66
  col 440
  fill edtQTBH{N}
end
# The last line's rule is the border's bottom line.
row 30 noline top
  f edtQTSLH15 116
  col 120
  f edtQTSX15 246
  col 370
  f edtQTSP15 66
  col 440
  fill edtQTBH15
endsection
endtable
line 284 508 0 476
line 534 508 0 476
line 604 508 0 476
text 82 1000 548 18 "药包材再注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbXYSQ rdbYYGJBZ rdbjbg rdbJB memo111 rdbBGXMCFT rdbBGXMCFF rdbBQTBGT rdbQTBGF
order edtQTSLH14 edtQTSX14 edtQTSP14 edtQTBH14
repeat N=1..13
order edtQTSLH{N} edtQTSX{N} edtQTSP{N} edtQTBH{N}
end
order edtYPTYMC edtYPYWM edtYPQTM edtZGYD edtJB rdbBGXMGYF rdbBGXMGYT rdbBGXMBZT rdbBGXMBZF VerifyCode
order edtQTSLH15 edtQTSX15 edtQTSP15 edtQTBH15 edtBZGG edtYPPZWH dtpYPpZRQ edtYPSPMC edtYPCFZW edtYPCFYW

page "Page1"
# Addresses and the agent's code row wrap in their rows ("top").
border 96 84 604 816
table 96 84 604 rowheight=34
section "申请人"
row
  t "12.机构1："
  r rdbJG1F "国内药包材生产企业"
  r rdbJG1T "进口药包材公司"
  skip 20
  c ckbJG1JF "本机构负责缴费"
row
  t "中文名称："
  fill edtJG1MC
row
  t "英文名称："
  fill edtJG1MCE
row
  t "法定代表人："
  f edtJG1FR 200
  t "职位："
  fill edtJG1DBR
row 34 top
  t "注册地址："
  fill edtJG1DZ
row
  t "国家或地区："
  fill edtJG1GJ
row
  t "注册申请负责人："
  fill edtJG1FZR
row
  t "电话(含区号及分机号)："
  f edtJG1DH 170
  t "传真："
  fill edtJG1CZ
row
  t "电子信箱："
  fill edtJG1YX
row
  t "13.机构2：进口药包材生产厂"
row
  t "中文名称："
  fill edtJG2MC
row
  t "英文名称："
  fill edtJG2MCE
row 34 top
  t "生产地址："
  fill edtJG2DZ
row
  t "国家或地区："
  fill edtJG2GJ
row
  t "法定代表人："
  f edtJG2FR 200
  t "职位："
  fill edtJG2DBR
row
  t "电话(含区号及分机号)："
  f edtJG2DH 170
  t "传真："
  fill edtJG2CZ
row
  t "电子信箱："
  fill edtJG2YX
endsection
section "药包材\n注册代理\n机构"
row
  r rdbJG4F "无"
  r rdbJG4T "有"
  skip 20
  c ckbJG4JF "本机构负责缴费"
row
  t "14.机构名称："
  fill edtJG4MC
row 34 top
  t "组织机构代码："
  f edtJG4DM 156
  t "法定代表人："
  f edtJG4FR 60
  t "职位："
  fill edtJG4DBR
row 34 top
  t "注册地址："
  f edtJG4DZ 340
  t "邮政编码："
  fill edtJG4YB
row
  t "联系人："
  f edtJG4LXR 200
  t "职位："
  fill edtJG4LXRZW
row
  t "电话(含区号及分机号)："
  f edtJG4LDH 170
  t "传真："
  fill edtJG4CZ
row noline
  t "电子信箱："
  fill edtJG4YX
endsection
endtable
text 82 1000 548 18 "药包材再注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode1 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbJG1F rdbJG1T ckbJG1JF rdbJG4F rdbJG4T ckbJG4JF edtJG1MC edtJG1MCE edtJG1FZR edtJG1DZ edtJG1FR
order edtJG2GJ edtJG2CZ edtJG2DBR edtJG2FR edtJG2DZ edtJG2MCE edtJG1CZ edtJG1YX edtJG1DH edtJG1DBR edtJG1GJ
order edtJG2MC edtJG2DH edtJG2YX edtJG4LXRZW edtJG4CZ edtJG4YB edtJG4DBR edtJG4DZ edtJG4FR edtJG4MC edtJG4DM
order edtJG4YX edtJG4LXR edtJG4LDH VerifyCode1

page "Page2"
border 96 84 604 854
table 96 84 604 rowheight=22
section "申  明"
row 22 noline
  t "15. 我们保证：①本申请遵守《中华人民共和国药品管理法》、《中华人民共和国药品管理"
row 22 noline
  t "法实施条例》和《药品包装用材料、容器管理办法》等法律、法规和规章的规定；②申请表"
row 22 noline
  t "内容及所提交资料、样品均真实、来源合法，未侵犯他人的权益，其中试验研究的方法和数"
row 22 noline
  t "据均为本药品所采用的方法和由本药品得到的试验数据；③一并提交的电子文件与打印文件"
row 22 noline
  t "内容完全一致。"
row 22
  t "　　如查有不实之处，我们承担由此导致的一切法律后果。"
row 22
  t "16.其他特别申明事项："
  box edtQTSM 560 ""
row 90 noline
  t "申请机构签章：" align=0
row 50 noline
  t "法定代表人签名："
  skip 150
  t "年　　月　　日"
endsection
endtable
text 628 964 68 18 "官方填写" font=黑体 flags=0x43 frame=0x06 align=10
text 92 982 44 18 "审查人"
value edtSCR 136 982 108 18 "" small
text 244 982 58 18 "审查机关"
# The date stands clear of the frame of "官方填写" above its end.
value edtSCJG 302 982 199 18 "" small
value edtSCY 501 982 33 18 "" small
text 534 982 18 18 "年"
value edtSCM 552 982 20 18 "" small
text 572 982 18 18 "月"
value edtSCD 590 982 20 18 "" small
text 610 982 18 18 "日"
text 82 1000 548 18 "药包材再注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode2 630 1000 70 18 "" font=Arial size=8 flags=0x43
order edtQTSM edtSCJG edtSCY edtSCM edtSCD edtSCR VerifyCode2
