# 药品注册申请表（境内）的打印模板：三页。
template FrmYPZCSQ
printer ""

page ""
text 264 68 270 28 "药品监督管理部门" font=黑体 size=16 align=2
text 280 108 230 34 "药品注册申请表" size=24 bold align=2
text 100 128 64 18 "021202" font=Arial size=8 flags=0x43
border 96 144 604 854
table 96 144 604 rowheight=16
section "申请事项"
row
  t "1.申请分类："
  r rdbXY "新药申请"
  r rdbFZ "已有国家标准药品的申请"
row
  t "2.注册分类："
  r rdbZY "中药、天然药物"
  f edtZY 30 small
  t "类"
  r rdbHXYP "化学药品"
  f edtHXYP 30 small
  t "类"
  r rdbZLYSWZ "治疗用生物制品"
  f edtZLYSWZ 30 small
  t "类"
row
  skip 84
  r rdbYFYSWZP "预防用生物制品"
  f edtYFYSWZ 30 small
  t "类"
  r rdbZCFLQT "其他："
  fill edtZCFLQT
row
  t "3.附加申请事项："
  c ckbFCFY "非处方药"
  c ckbJHZM "减或者免临床研究"
  c ckbGJDZXL "国际多中心临床研究"
row
  skip 110
  c ckbFJSQQT "其他："
  fill edtFJSQQT
endsection
section "药品情况"
row
  t "4.药品名称："
  fill edtYPTYMC
row
  t "5.英文名/拉丁名："
  fill edtYPYWM
row
  t "6.汉语拼音："
  fill edtHYPY
row 30
  t "7.化学名：" align=0
  fill edtHXMC flags=0x53 align=0
row
  t "8.其他名称："
  fill edtYPQTM
row
  t "9.商品名称："
  r rdbSPMF "不使用"
  r rdbSPMT "使用"
  t "，中文："
  fill edtSPMC
row
  t "10.药品名称来源："
  r rdbMCLY1 "国家药品标准"
  r rdbMCLY2 "国家药典委员会"
  r rdbMCLY3 "文献"
  r rdbMCLY4 "自拟"
row
  r rdbZJF "11.非制剂："
  r rdbFZJYL "原料药"
  r rdbFZJZY "中药材"
  r rdbFZJZYY "中药饮片"
  r rdbFZJYX "有效成份"
  r rdbFZJZJ "制剂中间体" capname=制剂中间体
row
  skip 84
  r rdbFZJQT "其他："
  fill edtFZTQT
row 30 top
  r rdbZJT "12.制剂："
  t "剂型："
  f edtJX 136
  t "规格："
  fill edtGG
row
  skip 20
  t "属于："
  r rdbYDJX "《中国药典》剂型"
  r rdbXJX "新剂型，英文："
  fill edtXJXE font=Arial size=8
row 30 top
  t "13.包装规格："
  f edtBZGG 252
  t "14.药品有效期："
  f edtYPYXQ 30
  t "个月"
row 16 noline
  t "15.处方内药物活性成份或者中药药味(均含处方量)："
  col 312
  t "16.处方内辅料(含处方量)："
  box edtHXCF 60 at=0 width=304 ""
  box edtCFFL 60 at=312 ""
row
  t "17.制剂中化学原料药来源："
  r rdbYLLYJN "境内生产"
  r rdbYLLYJK "进口注册"
  r rdbYLLYWZC "未注册"
row
  skip 20
  r rdbYLLYSB "另行申报(原始编号："
  f edtYLLYSBH 140
  t ")"
row
  skip 20
  t "生产企业名称："
  fill edtYLLYSQY
row 30 top
  skip 20
  t "生产企业地址："
  fill edtYLLYSQYDZ
row
  t "18.制剂中的中药材标准："
  r rdbBZFD "全部法定"
  r rdbBZWFD "含非法定者，药材名称："
  fill edtBZWFDMC
row 30 top
  t "19.药品标准："
  r rdbZGYD "中国药典"
  f edtZGYD 46
  t "版"
  r rdbJB "局颁"
  f edtJB 178
  t "第"
  f edtJBC 30
  t "册"
row
  skip 20
  r rdbBZZN "自拟标准"
  r rdbBZZC "注册标准及标准编号："
  fill edtBZZC
row
  skip 20
  r rdbBZGW "国外药典及版次："
  fill edtBZGW
row 16 noline
  t "20.主要适应症或者功能主治："
  col 268
  t "21.给药途径及特殊用法："
  box edtSYZ 30 at=0 width=260 ""
  box edtGYTJ 30 at=268 ""
endsection
section "相关情况"
row
  t "22.是否特殊管理药品："
  r rdbTSF "否"
  r rdbTST "是："
row
  skip 20
  c ckbMZYP "麻醉药品"
  c ckbJSYP "精神药品"
  c ckbYLDX "医疗用毒性药品"
  c ckbFSX "放射性药品"
row
  t "23.专利："
  c ckbZGZL "有中国专利："
  c ckbYWZL "药物专利"
  c ckbGYZL "工艺专利"
  c ckbQTZL "其他专利："
  fill edtqtzl
row 30 top
  skip 20
  r rdbYGK "已公开"
  r rdbYSQ "已授权　专利权人："
  fill edtZLQR
row
  skip 20
  t "专利到期日期："
  f dtpZLDQR 80 ""
  skip 20
  t "本申请是否得到专利权人的实施许可："
  r rdbZLSSXK "是"
  r rdbZLSSF "否"
row 30 top
  skip 20
  c ckbWGZL "有外国专利："
  f edtWGZL 96
  t "专利权人："
  fill edtWGZLQR
row
  t "24.同品种药品保护："
  c ckbYPBH "药品行政保护，保护截止日期："
  f dtpYBJZ 80 ""
  c ckbYZSQ "已知有申请者"
row
  c ckbZYBH "中药品种保护，保护截止日期："
  f dtpZYJZ 66 "" size=9
  skip 6
  c ckbYXYBH "原新药保护，保护截止日期："
  f dtpYXBHJZ 66 "" size=9
row
  t "25.同品种新药监测期："
  r rdbXYJCF "无"
  r rdbXYJCT "有，起始日期："
  f dtpXYQS 80 ""
  t "终止日期："
  fill dtpXYZZ ""
row
  t "26.本次申请为："
  r rdbBCSQWSC "首次申请"
  r rdbBCSQWZC "再次申请，其首次申请："
row
  skip 20
  c ckbCCH "曾经撤回，原因："
  fill edtCCHYY
row
  skip 20
  c ckbCTS "曾被退审(或者退回)，日期："
  f dtpCTSRQ 70 ""
  t "原因："
  fill edtCTSYY
row
  t "27.境外是否获准上市："
  r rdbJWSSF "否"
  r rdbJWSSU "不详"
  r rdbJWSST "是，国家(地区)："
  fill edtJWSSGJ
row
  skip 20
  t "获准上市日期："
  f edtJWSSRQ 80 ""
endsection
endtable
text 82 1000 548 18 "药品注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbXY rdbFZ rdbZY rdbHXYP rdbZLYSWZ rdbYFYSWZP rdbZCFLQT ckbFCFY ckbJHZM ckbGJDZXL ckbFJSQQT edtZY
order rdbSPMF rdbSPMT rdbMCLY1 rdbMCLY2 rdbMCLY3 rdbMCLY4 edtHXCF edtCFFL rdbFZJYL rdbFZJZY rdbFZJZYY
order rdbFZJYX rdbFZJQT rdbYDJX rdbXJX rdbYLLYJN rdbYLLYJK rdbYLLYWZC rdbYLLYSB rdbBZFD rdbBZWFD rdbZGYD
order rdbJB rdbBZZN rdbBZZC rdbBZGW rdbTSF rdbTST ckbMZYP ckbYLDX ckbFSX ckbJSYP ckbZGZL ckbGYZL ckbQTZL
order ckbYWZL rdbYGK rdbYSQ rdbZLSSXK rdbZLSSF ckbYPBH ckbZYBH ckbYXYBH ckbYZSQ rdbXYJCF rdbXYJCT
order rdbBCSQWSC rdbBCSQWZC ckbCTS rdbJWSSF rdbJWSSU rdbJWSST edtZCFLQT edtFJSQQT edtYPTYMC edtYPYWM
order edtHYPY edtHXMC edtYPQTM edtSPMC edtFZTQT edtGG edtJX edtXJXE edtBZGG edtYPYXQ edtYLLYSBH
order edtYLLYSQY edtYLLYSQYDZ edtBZWFDMC edtSYZ edtGYTJ edtBZGW edtBZZC edtJB edtJBC edtZGYD edtqtzl
order edtZLQR edtWGZLQR edtWGZL edtCCHYY edtCTSYY dtpYBJZ dtpZYJZ dtpYXBHJZ dtpXYQS dtpXYZZ edtJWSSGJ
order edtJWSSRQ edtHXYP edtZLYSWZ edtYFYSWZ dtpZLDQR ckbCCH dtpCTSRQ VerifyCode rdbZJF rdbZJT ckbWGZL
order rdbFZJZJ 制剂中间体

page "Page1"
# A row of two lines ("row 30 top") where a value of realistic length needs
# them: addresses, the e-mail row, the code row of institutions 2 to 5.
border 96 84 604 906
table 96 84 604 rowheight=19
section "申请人"
row
  t "28.机构1（国内药品生产企业）："
  r rdbJG1F "无"
  r rdbJG1T "有"
  c ckbJG1JF "本机构负责缴费"
row
  t "名　　称："
  fill edtJG1MC
row
  t "组织机构代码："
  f edtJG1DM 156
  t "《药品生产许可证》编号："
  fill edtJG1BH
row
  t "法定代表人："
  f edtJG1FR 200
  t "职位："
  fill edtJG1FRZW
row 30 top
  t "注册地址："
  f edtJG1DZ 340
  t "邮政编码："
  fill edtJG1YB
row 30 top
  t "生产地址："
  f edtJG1SCDZ 340
  t "邮政编码："
  fill edtJG1SCYB
row
  t "注册申请负责人："
  f edtJG1FZR 174
  t "职位："
  fill edtJG1FZRZW
row
  t "电话(含区号及分机号)："
  f edtJG1DH 170
  t "传真："
  fill edtJG1CZ
row 30 top
  t "电子信箱："
  f edtJG1YX 140
  t "联系人："
  f edtJG1LXR 60
  t "电话："
  fill edtJG1LXRDH
row
  t "是否持有相应的《药品生产质量管理规范》认证证书："
  r rgbGSP1 "持有"
row
  skip 20
  t "未持有，原因："
  r rgbGSP2 "新开办企业"
  r rgbGSP3 "新建车间"
  r rgbGSP4 "新增剂型"
repeat N=2,3,4,5 T="29.机构2（新药证书申请人）：","30.机构3（新药证书申请人）：","31.机构4（新药证书申请人）：","32.机构5（新药证书申请人）："
row
  t "{T}"
  r rdbJG{N}F "无"
  r rdbJG{N}T "有"
  c ckbJG{N}JF "本机构负责缴费"
row
  t "名　　称："
  fill edtJG{N}MC
row 30 top
  t "组织机构代码："
  f edtJG{N}DM 156
  t "法定代表人："
  f edtJG{N}FR 60
  t "职位："
  fill edtJG{N}FRZW
row 30 top
  t "注册地址："
  f edtJG{N}DZ 340
  t "邮政编码："
  fill edtJG{N}YB
row
  t "注册申请负责人："
  f edtJG{N}FZR 174
  t "职位："
  fill edtJG{N}FZRZW
row
  t "电话(含区号及分机号)："
  f edtJG{N}DH 170
  t "传真："
  fill edtJG{N}CZ
row 30 top
  t "电子信箱："
  f edtJG{N}YX 140
  t "联系人："
  f edtJG{N}LXR 60
  t "电话："
  fill edtJG{N}LXRDH
end
endsection
endtable
text 82 1000 548 18 "药品注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode1 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rgbGSP1 rgbGSP2 rgbGSP3 rgbGSP4 rdbJG1F rdbJG1T ckbJG1JF rdbJG2F rdbJG2T ckbJG2JF rdbJG3F rdbJG3T
order ckbJG3JF rdbJG4F rdbJG4T ckbJG4JF rdbJG5F rdbJG5T ckbJG5JF edtJG1MC edtJG1DM edtJG1BH edtJG1FR
order edtJG1FRZW edtJG1DZ edtJG1YB edtJG1SCDZ edtJG1SCYB edtJG1FZR edtJG1FZRZW edtJG1CZ edtJG1DH
order edtJG1YX edtJG1LXR edtJG1LXRDH edtJG2FR edtJG2DM edtJG2MC edtJG2DZ edtJG2DH edtJG2FZR edtJG2YX
order edtJG2LXR edtJG2LXRDH edtJG2FZRZW edtJG2FRZW edtJG2YB edtJG3FR edtJG3DM edtJG3DZ edtJG3DH
order edtJG3FZR edtJG3YX edtJG3LXR edtJG3LXRDH edtJG3FZRZW edtJG3FRZW edtJG3YB edtJG3MC edtJG4FR
order edtJG4DM edtJG4DZ edtJG4DH edtJG4FZR edtJG4YX edtJG4LXR edtJG4LXRDH edtJG4FZRZW edtJG4FRZW
order edtJG4YB edtJG4MC edtJG5FR edtJG5DM edtJG5DZ edtJG5DH edtJG5FZR edtJG5YX edtJG5LXR edtJG5LXRDH
order edtJG5FZRZW edtJG5FRZW edtJG5YB edtJG5MC edtJG2CZ VerifyCode1 edtJG3CZ edtJG4CZ edtJG5CZ

page "Page2"
border 96 84 604 876
table 96 84 604 rowheight=24
section "药品注册代理机构" width=68
row
  r rdbDLF "无"
  r rdbDLT "有"
  c edtDLJF "本机构负责缴费"
row
  t "33.机构名称："
  fill edtDLMC
row 32 top
  t "组织机构代码："
  f edtDLDM 156
  t "法定代表人："
  f edtDLFR 60
  t "职位："
  fill edtDLFRZW
row 32 top
  t "注册地址："
  f edtDLDZ 340
  t "邮政编码："
  fill edtDLYB
row
  t "联系人："
  f edtDLLXR 200
  t "职位："
  fill edtDLLXRZW
row
  t "电话(含区号及分机号)："
  f edtDLDH 170
  t "传真："
  fill edtDLCZ
row
  t "电子信箱："
  fill edtDLYX
endsection
section "申  明"
row 20 noline
  t "34.我们保证：①本申请遵守《中华人民共和国药品管理法》、《中华人民共和国药品"
row 20 noline
  t "管理法实施条例》和《药品注册管理办法》等法律、法规和规章的规定；②申请表内容"
row 20 noline
  t "及所提交资料、样品均真实、来源合法，未侵犯他人的权益，其中试验研究的方法和数"
row 20 noline
  t "据均为本药品所采用的方法和由本药品得到的试验数据；③一并提交的电子文件与打印"
row 20 noline
  t "文件内容完全一致。"
row 20
  t "　　如查有不实之处，我们承担由此导致的一切法律后果。"
row 20 noline
  t "35.其他特别申明事项："
  box edtQTSM 120 ""
row 60 noline
  t "申请机构签章：" align=0
row 50
  t "法定代表人签名："
  skip 150
  t "年　　月　　日"
endsection
endtable
text 628 964 68 18 "官方填写" font=黑体 flags=0x43 frame=0x06 align=10
text 100 982 72 18 "审查机关："
value edtSCJG 172 982 199 18 "" small
text 371 982 84 18 "审查人签字："
value edtSCR 455 982 108 18 "" small
value edtSCY 563 982 36 18 "" small
text 599 982 18 18 "年"
value edtSCM 617 982 22 18 "" small
text 639 982 18 18 "月"
value edtSCD 657 982 22 18 "" small
text 679 982 18 18 "日"
text 82 1000 548 18 "药品注册申请表　第[PAGE#]页　共[TOTALPAGES]页　　数据核对码：" font=Arial size=8 flags=0x43 align=1
value VerifyCode2 630 1000 70 18 "" font=Arial size=8 flags=0x43
order rdbDLF rdbDLT edtDLJF edtDLMC edtDLDM edtDLFR edtDLDZ edtDLDH edtDLYX edtDLLXR edtDLFRZW edtDLCZ
order edtDLLXRZW edtDLYB edtQTSM edtSCJG edtSCR edtSCY edtSCM edtSCD VerifyCode2
