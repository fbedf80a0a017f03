[configuration]
multizone=1
[zone0]
path=/m/zone_mz.yuv
[file0]
path=/m/b.mp4
