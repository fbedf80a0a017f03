<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>lum</name>
    <message>
        <source>Please restart %1</source>
        <translation>请重新启动 %1</translation>
    </message>
    <message>
        <source>Illegal File!</source>
        <translation>非法文件！</translation>
    </message>
    <message>
        <source>Do you want to restore the LUM setting files %1 backuped at %2?</source>
        <translation>是否要从 %1 恢复于 %2 备份的 LUM 设置文件？</translation>
    </message>
    <message>
        <source>Can not restore %1!</source>
        <translation>无法恢复 %1！</translation>
    </message>
    <message>
        <source>Can not save file!
</source>
        <translation>无法保存文件！
</translation>
    </message>
    <message>
        <source>LUM Backup Files (*.bak)</source>
        <translation>LUM 备份文件 (*.bak)</translation>
    </message>
    <message>
        <source>Log Data</source>
        <translation>日志数据</translation>
    </message>
    <message>
        <source>CF Device</source>
        <translation>CF 设备</translation>
    </message>
    <message>
        <source>Playback Report</source>
        <translation>播放报告</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Success to save the log data to file</source>
        <translation>日志数据已成功保存到文件</translation>
    </message>
    <message>
        <source>Can&apos;t create log file:
 </source>
        <translation>无法创建日志文件：
 </translation>
    </message>
    <message>
        <source>Log files(*.log)</source>
        <translation>日志文件(*.log)</translation>
    </message>
    <message>
        <source>Password does not match</source>
        <translation>密码不匹配</translation>
    </message>
    <message>
        <source>Change Pasword</source>
        <translation>修改密码</translation>
    </message>
    <message>
        <source>Old Password</source>
        <translation>旧密码</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>新密码</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>确认密码</translation>
    </message>
    <message>
        <source>Resume from Protect Mode</source>
        <translation>退出保护模式</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file:
 %1</source>
        <translation>无法写入设置文件：
 %1</translation>
    </message>
    <message>
        <source>LUM is ON already!</source>
        <translation>LUM 已在运行！</translation>
    </message>
    <message>
        <source>ICS Server is online</source>
        <translation>ICS 服务器在线</translation>
    </message>
    <message>
        <source>ICS Server is offline</source>
        <translation>ICS 服务器离线</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Alive</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>组</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>Login Time</source>
        <translation>登录时间</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Are you sure to reboot the players ?</source>
        <translation>确定要重新启动播放器吗？</translation>
    </message>
    <message>
        <source>Are you sure to format player&apos;s storage?</source>
        <translation>确定要格式化播放器的存储吗？</translation>
    </message>
    <message>
        <source>Account name can not be &apos;Blank&apos;</source>
        <translation>账户名不能为空</translation>
    </message>
    <message>
        <source>Group can not be &apos;Blank&apos;</source>
        <translation>组不能为空</translation>
    </message>
    <message>
        <source>&apos;%1&apos;account name already existed,replace it?</source>
        <translation>账户名“%1”已存在，是否替换？</translation>
    </message>
    <message>
        <source>Please select a Auto playlist</source>
        <translation>请选择自动播放列表</translation>
    </message>
    <message>
        <source>Home group can not be edited!</source>
        <translation>Home 组不能编辑！</translation>
    </message>
    <message>
        <source>Group &apos;%1&apos; does not exist.</source>
        <translation>组“%1”不存在。</translation>
    </message>
    <message>
        <source>Group name can not contain &apos;\&apos; or &apos;/&apos; and can not be &apos;.&apos; or &apos;..&apos;</source>
        <translation>组名不能包含 &apos;\&apos; 或 &apos;/&apos;，也不能是 &apos;.&apos; 或 &apos;..&apos;</translation>
    </message>
    <message>
        <source>Group &apos;%1&apos; already exists.</source>
        <translation>组“%1”已存在。</translation>
    </message>
    <message>
        <source>Failed to save the account list.</source>
        <translation>无法保存账户列表。</translation>
    </message>
    <message>
        <source>Failed to create folder &apos;%1&apos;.</source>
        <translation>无法创建文件夹“%1”。</translation>
    </message>
    <message>
        <source>max 8 char</source>
        <translation>最多 8 个字符</translation>
    </message>
    <message>
        <source>max 4 char</source>
        <translation>最多 4 个字符</translation>
    </message>
    <message>
        <source>New Account...</source>
        <translation>新建账户...</translation>
    </message>
    <message>
        <source>Edit Group...</source>
        <translation>编辑组...</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>删除组</translation>
    </message>
    <message>
        <source>Get Log file...</source>
        <translation>获取日志文件...</translation>
    </message>
    <message>
        <source>There is no log file for %1.</source>
        <translation>%1 没有日志文件。</translation>
    </message>
    <message>
        <source>Are you sure to delete this group?</source>
        <translation>确定要删除此组吗？</translation>
    </message>
    <message>
        <source>Playlist file:</source>
        <translation>播放列表文件：</translation>
    </message>
    <message>
        <source>Account Management</source>
        <translation>账户管理</translation>
    </message>
    <message>
        <source>User Group</source>
        <translation>用户组</translation>
    </message>
    <message>
        <source>User Account</source>
        <translation>用户账户</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Please select a item</source>
        <translation>请选择一个项目</translation>
    </message>
    <message>
        <source>Are you sure to delete group %1</source>
        <translation>确定要删除组 %1 吗</translation>
    </message>
    <message>
        <source>Are you sure to delete  user account %1</source>
        <translation>确定要删除用户账户 %1 吗</translation>
    </message>
    <message>
        <source>Fail to delete the item</source>
        <translation>删除项目失败</translation>
    </message>
    <message>
        <source>Auto playlist</source>
        <translation>自动播放列表</translation>
    </message>
    <message>
        <source>AutoPlay</source>
        <translation>自动播放</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>账户</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>组名</translation>
    </message>
    <message>
        <source>Account Name</source>
        <translation>账户名</translation>
    </message>
    <message>
        <source>Disable Account</source>
        <translation>禁用账户</translation>
    </message>
    <message>
        <source>Playlist files (*.mpl)</source>
        <translation>播放列表文件 (*.mpl)</translation>
    </message>
    <message>
        <source>Configuration of System</source>
        <translation>系统配置</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>服务器</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>安全</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>Server Port</source>
        <translation>服务器端口</translation>
    </message>
    <message>
        <source>PASV Port Start</source>
        <translation>PASV 起始端口</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>Max. Users</source>
        <translation>最大用户数</translation>
    </message>
    <message>
        <source>Check password when player login</source>
        <translation>播放器登录时检查密码</translation>
    </message>
    <message>
        <source>Local IP Address</source>
        <translation>本机 IP 地址</translation>
    </message>
    <message>
        <source>Note: LUM is required to be closed  for new port change</source>
        <translation>注意：端口更改需要关闭 LUM 后才能生效</translation>
    </message>
    <message>
        <source>IP List</source>
        <translation>IP 列表</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Do not use IP Filter</source>
        <translation>不使用 IP 过滤</translation>
    </message>
    <message>
        <source>Accept connections only from spcecified ip address</source>
        <translation>只接受来自指定 IP 地址的连接</translation>
    </message>
    <message>
        <source>Do not accept connections only from spcecified ip address</source>
        <translation>拒绝来自指定 IP 地址的连接</translation>
    </message>
    <message>
        <source>Launch Control Server at windows startup</source>
        <translation>Windows 启动时运行控制服务器</translation>
    </message>
    <message>
        <source>Startup minimized in systemtray</source>
        <translation>启动时最小化到系统托盘</translation>
    </message>
    <message>
        <source>Automatically activate server at startup</source>
        <translation>启动时自动激活服务器</translation>
    </message>
    <message>
        <source>Application Language</source>
        <translation>应用程序语言</translation>
    </message>
    <message>
        <source>Log Level</source>
        <translation>日志级别</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese(Simplified)</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>Chinese(Traditional)</source>
        <translation>繁体中文</translation>
    </message>
    <message>
        <source>1 - Normal</source>
        <translation>1 - 普通</translation>
    </message>
    <message>
        <source>2 - Detail</source>
        <translation>2 - 详细</translation>
    </message>
    <message>
        <source>Hand out MAC addresses to players</source>
        <translation>为播放器分配 MAC 地址</translation>
    </message>
    <message>
        <source>First MAC address</source>
        <translation>起始 MAC 地址</translation>
    </message>
    <message>
        <source>Number of addresses</source>
        <translation>地址数量</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an IP address (use * for a whole octet, e.g. 192.168.1.*)</source>
        <translation>“%1”不是 IP 地址（可用 * 代表整段，例如 192.168.1.*）</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a MAC address (XX-XX-XX-XX-XX-XX)</source>
        <translation>“%1”不是 MAC 地址（XX-XX-XX-XX-XX-XX）</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>File/Directory</source>
        <translation>文件/目录</translation>
    </message>
    <message>
        <source>Size(Byte)</source>
        <translation>大小(字节)</translation>
    </message>
    <message>
        <source>Seq.</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>File Path</source>
        <translation>文件路径</translation>
    </message>
    <message>
        <source>Duration/Times</source>
        <translation>时长/次数</translation>
    </message>
    <message>
        <source>From hhmm</source>
        <translation>开始 hhmm</translation>
    </message>
    <message>
        <source>To hhmm</source>
        <translation>结束 hhmm</translation>
    </message>
    <message>
        <source>Times Played</source>
        <translation>播放次数</translation>
    </message>
    <message>
        <source>Register unknown player names in Home at login</source>
        <translation>登录时将未知的播放器名称注册到 Home 组</translation>
    </message>
    <message>
        <source>Connections and new names per address</source>
        <translation>每个地址的连接数和新名称数</translation>
    </message>
    <message>
        <source>Alerts</source>
        <translation>警报</translation>
    </message>
    <message>
        <source>Alert when a player stays offline longer than (minutes, 0 = never)</source>
        <translation>播放器离线超过此时间时发出警报（分钟，0 = 从不）</translation>
    </message>
    <message>
        <source>Program to run for an alert</source>
        <translation>警报时运行的程序</translation>
    </message>
    <message>
        <source>The program gets the player&apos;s name, group, MAC address and last-seen time as four arguments; it runs without a shell and is stopped after 30 seconds.</source>
        <translation>程序以四个参数获得播放器的名称、组、MAC 地址和最后在线时间；它不经过 shell 运行，30 秒后被停止。</translation>
    </message>
    <message>
        <source>Removable drives</source>
        <translation>可移动驱动器</translation>
    </message>
    <message>
        <source>No removable drive is mounted.</source>
        <translation>没有挂载可移动驱动器。</translation>
    </message>
    <message>
        <source>Target folder</source>
        <translation>目标文件夹</translation>
    </message>
    <message>
        <source>Root of the drive</source>
        <translation>驱动器根目录</translation>
    </message>
    <message>
        <source>Copying File</source>
        <translation>正在复制文件</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Copying failed; %1 was not written. Files not copied:</source>
        <translation>复制失败；未写入 %1。未复制的文件：</translation>
    </message>
    <message>
        <source>Playlist Scheduler</source>
        <translation>播放列表排程</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>开始日期</translation>
    </message>
    <message>
        <source>End date</source>
        <translation>结束日期</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Assign to Group</source>
        <translation>分配给组</translation>
    </message>
    <message>
        <source>Save to disc</source>
        <translation>保存到磁盘</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>排程</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>即时消息</translation>
    </message>
    <message>
        <source>B/G</source>
        <translation>背景</translation>
    </message>
    <message>
        <source>F/G</source>
        <translation>前景</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>时钟</translation>
    </message>
    <message>
        <source>Encoding</source>
        <translation>编码</translation>
    </message>
    <message>
        <source>Message file</source>
        <translation>消息文件</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>消息</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>gray</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>青色</translation>
    </message>
    <message>
        <source>green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>黄色</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>品红色</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>橙色</translation>
    </message>
    <message>
        <source>white</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>On Screen Label Editor</source>
        <translation>屏幕标签编辑器</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Number only (000-999)</source>
        <translation>仅数字 (000-999)</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>Center Alignment</source>
        <translation>居中对齐</translation>
    </message>
    <message>
        <source>Always On</source>
        <translation>始终显示</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>User Name can not be &apos;Blank&apos;</source>
        <translation>用户名不能为空</translation>
    </message>
    <message>
        <source>INVALD ILUM ID!</source>
        <translation>无效的 ILUM ID！</translation>
    </message>
    <message>
        <source>Update selected client&apos;s setup and reboot</source>
        <translation>更新所选播放器的设置并重新启动</translation>
    </message>
    <message>
        <source>Please enter an integer between 0 and 65536.</source>
        <translation>请输入 0 到 65536 之间的整数。</translation>
    </message>
    <message>
        <source>Pleae type in the ID that is generated by ILUM, e.g(001-001-0013)</source>
        <translation>请输入由 ILUM 生成的 ID，例如(001-001-0013)</translation>
    </message>
    <message>
        <source>30 maximum character for SSID</source>
        <translation>SSID 最多 30 个字符</translation>
    </message>
    <message>
        <source>Client Setup Utility</source>
        <translation>播放器设置工具</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>S&amp;ave as...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>播放器</translation>
    </message>
    <message>
        <source>Update Client==&gt;</source>
        <translation>更新播放器==&gt;</translation>
    </message>
    <message>
        <source>Update Group==&gt;</source>
        <translation>更新组==&gt;</translation>
    </message>
    <message>
        <source>Update target</source>
        <translation>更新目标</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>IP or Hostname</source>
        <translation>IP 或主机名</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Hide Main Menu</source>
        <translation>隐藏主菜单</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Static IP</source>
        <translation>静态 IP</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>DNS Server</source>
        <translation>DNS 服务器</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>时区</translation>
    </message>
    <message>
        <source>Daylight Saving</source>
        <translation>夏令时</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>时间格式</translation>
    </message>
    <message>
        <source>Restart Time</source>
        <translation>重启时间</translation>
    </message>
    <message>
        <source>Device On/OFF1</source>
        <translation>设备开/关1</translation>
    </message>
    <message>
        <source>Device On/OFF2</source>
        <translation>设备开/关2</translation>
    </message>
    <message>
        <source>Device On/OFF3</source>
        <translation>设备开/关3</translation>
    </message>
    <message>
        <source>Device OFF mode</source>
        <translation>设备关闭模式</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>待机</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>睡眠</translation>
    </message>
    <message>
        <source>Restart hour</source>
        <translation>重启小时</translation>
    </message>
    <message>
        <source>Restart minute</source>
        <translation>重启分钟</translation>
    </message>
    <message>
        <source>On hour</source>
        <translation>开启小时</translation>
    </message>
    <message>
        <source>On minute</source>
        <translation>开启分钟</translation>
    </message>
    <message>
        <source>Off hour</source>
        <translation>关闭小时</translation>
    </message>
    <message>
        <source>Off minute</source>
        <translation>关闭分钟</translation>
    </message>
    <message>
        <source>Start-up Mode</source>
        <translation>启动模式</translation>
    </message>
    <message>
        <source>LUM</source>
        <translation>LUM</translation>
    </message>
    <message>
        <source>CF card</source>
        <translation>CF 卡</translation>
    </message>
    <message>
        <source>HTTP URL</source>
        <translation>HTTP URL</translation>
    </message>
    <message>
        <source>ILUM</source>
        <translation>ILUM</translation>
    </message>
    <message>
        <source>HTTP Pictavo</source>
        <translation>HTTP Pictavo</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>e.g(http://192.168.1.100/playlist.mpl)</source>
        <translation>例如(http://192.168.1.100/playlist.mpl)</translation>
    </message>
    <message>
        <source>ILUM ID</source>
        <translation>ILUM ID</translation>
    </message>
    <message>
        <source>ILUM ID part 1</source>
        <translation>ILUM ID 第 1 部分</translation>
    </message>
    <message>
        <source>ILUM ID part 2</source>
        <translation>ILUM ID 第 2 部分</translation>
    </message>
    <message>
        <source>ILUM ID part 3</source>
        <translation>ILUM ID 第 3 部分</translation>
    </message>
    <message>
        <source>Change ILUM ID</source>
        <translation>更改 ILUM ID</translation>
    </message>
    <message>
        <source>Video Output</source>
        <translation>视频输出</translation>
    </message>
    <message>
        <source>TV Mode</source>
        <translation>电视制式</translation>
    </message>
    <message>
        <source>TV Type</source>
        <translation>电视类型</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>Preference</source>
        <translation>偏好设置</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>日期格式</translation>
    </message>
    <message>
        <source>File Repeat</source>
        <translation>文件重复</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>单个</translation>
    </message>
    <message>
        <source>Picture Rotate</source>
        <translation>图片旋转</translation>
    </message>
    <message>
        <source>Input Mode</source>
        <translation>输入模式</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>天气</translation>
    </message>
    <message>
        <source>City Code</source>
        <translation>城市代码</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>华氏</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>摄氏</translation>
    </message>
    <message>
        <source>WIFI NETWORK SETUP</source>
        <translation>WIFI 网络设置</translation>
    </message>
    <message>
        <source>WIFI&gt;&gt;</source>
        <translation>WIFI&gt;&gt;</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>加密</translation>
    </message>
    <message>
        <source>WEP Only</source>
        <translation>仅 WEP</translation>
    </message>
    <message>
        <source>Key Length</source>
        <translation>密钥长度</translation>
    </message>
    <message>
        <source>WEP Key</source>
        <translation>WEP 密钥</translation>
    </message>
    <message>
        <source>WPA Only</source>
        <translation>仅 WPA</translation>
    </message>
    <message>
        <source>Key Type</source>
        <translation>密钥类型</translation>
    </message>
    <message>
        <source>WPA Key</source>
        <translation>WPA 密钥</translation>
    </message>
    <message>
        <source>Can not connect to: %1</source>
        <translation>无法连接到：%1</translation>
    </message>
    <message>
        <source>RSS Message</source>
        <translation>RSS 消息</translation>
    </message>
    <message>
        <source>Add New Feed</source>
        <translation>添加新订阅</translation>
    </message>
    <message>
        <source>RSS Settings</source>
        <translation>RSS 设置</translation>
    </message>
    <message>
        <source>Add Feed</source>
        <translation>添加订阅</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>刷新(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Property</source>
        <translation>属性(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;RSS Settings</source>
        <translation>RSS 设置(&amp;R)</translation>
    </message>
    <message>
        <source>Groups and channels</source>
        <translation>组和频道</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>This console reads RSS 0.91, 1.0 and 2.0 feeds (of Atom feeds, the titles).</source>
        <translation>本控制台可读取 RSS 0.91、1.0 和 2.0 订阅（Atom 订阅仅读取标题）。</translation>
    </message>
    <message>
        <source>Refreshing %1 ...</source>
        <translation>正在刷新 %1 ...</translation>
    </message>
    <message>
        <source>Refreshed %1</source>
        <translation>已刷新 %1</translation>
    </message>
    <message>
        <source>Can not refresh %1: %2</source>
        <translation>无法刷新 %1：%2</translation>
    </message>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>正在连接到 %1 ...</translation>
    </message>
    <message>
        <source>Please enter URL of feed:</source>
        <translation>请输入订阅的 URL：</translation>
    </message>
    <message>
        <source>Feed Title:</source>
        <translation>订阅标题：</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>组：</translation>
    </message>
    <message>
        <source>Active:</source>
        <translation>启用：</translation>
    </message>
    <message>
        <source>Detailed news</source>
        <translation>详细新闻</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>背景颜色</translation>
    </message>
    <message>
        <source>Foreground Color</source>
        <translation>前景颜色</translation>
    </message>
    <message>
        <source>Enable Auto RSS</source>
        <translation>启用自动 RSS</translation>
    </message>
    <message>
        <source>Lead Characters</source>
        <translation>前导字符</translation>
    </message>
    <message>
        <source>Local Directory</source>
        <translation>本地目录</translation>
    </message>
    <message>
        <source>Remote HTTP Server</source>
        <translation>远程 HTTP 服务器</translation>
    </message>
    <message>
        <source>Remote FTP Server</source>
        <translation>远程 FTP 服务器</translation>
    </message>
    <message>
        <source>File Type</source>
        <translation>文件类型</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Player Files</source>
        <translation>播放器文件</translation>
    </message>
    <message>
        <source>List the files stored on the player chosen in &quot;Select Group/Device&quot;</source>
        <translation>列出在“选择组/设备”中所选播放器上存储的文件</translation>
    </message>
    <message>
        <source>Choose a player in &quot;Select Group/Device&quot; first.</source>
        <translation>请先在“选择组/设备”中选择一个播放器。</translation>
    </message>
    <message>
        <source>URL and Path</source>
        <translation>URL 和路径</translation>
    </message>
    <message>
        <source>FTP Site</source>
        <translation>FTP 站点</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Remote Folders</source>
        <translation>远程文件夹</translation>
    </message>
    <message>
        <source>Remote Files</source>
        <translation>远程文件</translation>
    </message>
    <message>
        <source>Add the selected files</source>
        <translation>添加所选文件</translation>
    </message>
    <message>
        <source>Add every file of the list</source>
        <translation>添加列表中的所有文件</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Multi Zone</source>
        <translation>多区域</translation>
    </message>
    <message>
        <source>Imag Zone...</source>
        <translation>图像区域...</translation>
    </message>
    <message>
        <source>The image editor is not available</source>
        <translation>图像编辑器不可用</translation>
    </message>
    <message>
        <source>FullScrn</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Add TV-feed</source>
        <translation>添加电视信号</translation>
    </message>
    <message>
        <source>Scroll.Text.Off</source>
        <translation>关闭滚动文字</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Select Group/Device</source>
        <translation>选择组/设备</translation>
    </message>
    <message>
        <source>EZ-Play</source>
        <translation>EZ-Play</translation>
    </message>
    <message>
        <source>Copy All...</source>
        <translation>全部复制...</translation>
    </message>
    <message>
        <source>Upload playlist</source>
        <translation>上传播放列表</translation>
    </message>
    <message>
        <source>Copy All to Removable drive</source>
        <translation>全部复制到可移动驱动器</translation>
    </message>
    <message>
        <source>Playlist Settings</source>
        <translation>播放列表设置</translation>
    </message>
    <message>
        <source>Picture Play Time:</source>
        <translation>图片播放时间：</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Use Global Transition</source>
        <translation>使用全局转场效果</translation>
    </message>
    <message>
        <source>Delete Files:</source>
        <translation>删除文件：</translation>
    </message>
    <message>
        <source>Mute Sound</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Download Schedule</source>
        <translation>定时下载</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>时</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>分</translation>
    </message>
    <message>
        <source>FTP Site Manager</source>
        <translation>FTP 站点管理器</translation>
    </message>
    <message>
        <source>Sites</source>
        <translation>站点</translation>
    </message>
    <message>
        <source>Host Address</source>
        <translation>主机地址</translation>
    </message>
    <message>
        <source>Use PASV Mode</source>
        <translation>使用 PASV 模式</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录名</translation>
    </message>
    <message>
        <source>ProfileName</source>
        <translation>配置名称</translation>
    </message>
    <message>
        <source>Initial Path</source>
        <translation>初始路径</translation>
    </message>
    <message>
        <source>Anoymous</source>
        <translation>匿名</translation>
    </message>
    <message>
        <source>Instant JPEG</source>
        <translation>即时 JPEG</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>文件名</translation>
    </message>
    <message>
        <source>Pictavo Mode (TR-50 only)</source>
        <translation>Pictavo 模式 (仅限 TR-50)</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>时长：</translation>
    </message>
    <message>
        <source>Can not copy the picture to instant.jpg!</source>
        <translation>无法将图片复制到 instant.jpg！</translation>
    </message>
    <message>
        <source>Image Editor</source>
        <translation>图像编辑器</translation>
    </message>
    <message>
        <source>Template1</source>
        <translation>模板1</translation>
    </message>
    <message>
        <source>Template2</source>
        <translation>模板2</translation>
    </message>
    <message>
        <source>Top Banner(1280*100)</source>
        <translation>顶部横幅(1280*100)</translation>
    </message>
    <message>
        <source>Picture Zone(560*560)</source>
        <translation>图片区域(560*560)</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>添加...</translation>
    </message>
    <message>
        <source>Play Each Slide For</source>
        <translation>每张幻灯片播放</translation>
    </message>
    <message>
        <source>10 Seconds</source>
        <translation>10 秒</translation>
    </message>
    <message>
        <source>20 Seconds</source>
        <translation>20 秒</translation>
    </message>
    <message>
        <source>30 Seconds</source>
        <translation>30 秒</translation>
    </message>
    <message>
        <source>40 Seconds</source>
        <translation>40 秒</translation>
    </message>
    <message>
        <source>50 Seconds</source>
        <translation>50 秒</translation>
    </message>
    <message>
        <source>60 Seconds</source>
        <translation>60 秒</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Ticker text scrolls here  &lt;&lt;  News, offers and notices</source>
        <translation>滚动文字在此显示  &lt;&lt;  新闻、优惠和通知</translation>
    </message>
    <message>
        <source>Image Editor...</source>
        <translation>图像编辑器...</translation>
    </message>
    <message>
        <source>Can not read the playlist %1</source>
        <translation>无法读取播放列表 %1</translation>
    </message>
    <message>
        <source>Player offline</source>
        <translation>播放器离线</translation>
    </message>
    <message>
        <source>%1 (group %2) has been offline since %3.</source>
        <translation>%1（组 %2）自 %3 起离线。</translation>
    </message>
    <message>
        <source>Player back online</source>
        <translation>播放器恢复在线</translation>
    </message>
    <message>
        <source>%1 (group %2) is back online.</source>
        <translation>%1（组 %2）已恢复在线。</translation>
    </message>
    <message>
        <source>%1 of %2 players in %3 offline</source>
        <translation>%3 中 %2 台播放器有 %1 台离线</translation>
    </message>
    <message>
        <source>%1 of %2 players offline</source>
        <translation>%2 台播放器中有 %1 台离线</translation>
    </message>
    <message>
        <source>Play Report</source>
        <translation>播放统计</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>播放器</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>媒体</translation>
    </message>
    <message>
        <source>Plays</source>
        <translation>播放次数</translation>
    </message>
    <message>
        <source>First Day</source>
        <translation>首次播放日期</translation>
    </message>
    <message>
        <source>Last Day</source>
        <translation>最后播放日期</translation>
    </message>
    <message>
        <source>any</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>All groups</source>
        <translation>所有组</translation>
    </message>
    <message>
        <source>all players</source>
        <translation>所有播放器</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>显示(&amp;S)</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>导出 CSV(&amp;C)...</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>从：</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>到：</translation>
    </message>
    <message>
        <source>Player:</source>
        <translation>播放器：</translation>
    </message>
    <message>
        <source>Most played media</source>
        <translation>播放最多的媒体</translation>
    </message>
    <message>
        <source>Reading the play report...</source>
        <translation>正在读取播放统计...</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>%1 damaged lines skipped</source>
        <translation>已跳过 %1 行损坏数据</translation>
    </message>
    <message>
        <source>only the start of the file was read</source>
        <translation>仅读取了文件的开头部分</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
</context>
<context>
    <name>lum::CAccountManagementDialog</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>lum::CLogPane</name>
    <message>
        <source>Selected player&apos;s log</source>
        <translation>所选播放器的日志</translation>
    </message>
</context>
<context>
    <name>lum::CMainFrame</name>
    <message>
        <source>Account</source>
        <translation>账户</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>服务器(&amp;S)</translation>
    </message>
    <message>
        <source>Start Control Server</source>
        <translation>启动控制服务器</translation>
    </message>
    <message>
        <source>Stop Control Server</source>
        <translation>停止控制服务器</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Protect Mode</source>
        <translation>保护模式</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>账户(&amp;A)</translation>
    </message>
    <message>
        <source>Add/Edit Account...</source>
        <translation>添加/编辑账户...</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新建组</translation>
    </message>
    <message>
        <source>New User</source>
        <translation>新建用户</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>删除组</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Volume%1</source>
        <translation>音量%1</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Turn on video output</source>
        <translation>打开视频输出</translation>
    </message>
    <message>
        <source>Turn off video output</source>
        <translation>关闭视频输出</translation>
    </message>
    <message>
        <source>Start Playback</source>
        <translation>开始播放</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Stop Action</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>Reboot Client</source>
        <translation>重启播放器</translation>
    </message>
    <message>
        <source>Format Storage</source>
        <translation>格式化存储</translation>
    </message>
    <message>
        <source>Stop Scrolling (MSG Off)</source>
        <translation>停止滚动 (关闭消息)</translation>
    </message>
    <message>
        <source>MSG Off</source>
        <translation>关闭消息</translation>
    </message>
    <message>
        <source>Get Group Status</source>
        <translation>读取组状态</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Read Current Status</source>
        <translation>读取当前状态</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Read CF Capacity</source>
        <translation>读取CF容量</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Read CF Files</source>
        <translation>读取CF文件</translation>
    </message>
    <message>
        <source>CF Data</source>
        <translation>CF数据</translation>
    </message>
    <message>
        <source>Read CF Playlist</source>
        <translation>读取CF播放列表</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source>&amp;Control</source>
        <translation>控制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>Configuration of System</source>
        <translation>系统配置</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>更改密码</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Statusbar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;LogWindow</source>
        <translation>日志窗口(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Start RSS Feeds</source>
        <translation>启动 RSS 订阅</translation>
    </message>
    <message>
        <source>RSS</source>
        <translation>RSS</translation>
    </message>
    <message>
        <source>Online players</source>
        <translation>在线播放器</translation>
    </message>
    <message>
        <source>&amp;MPL Commander</source>
        <translation>&amp;MPL Commander</translation>
    </message>
    <message>
        <source>Playlist Commander</source>
        <translation>Playlist Commander</translation>
    </message>
    <message>
        <source>&amp;Client Setup Utility...</source>
        <translation>播放器设置工具(&amp;C)...</translation>
    </message>
    <message>
        <source>AutoConfig File Editor</source>
        <translation>AutoConfig 文件编辑器</translation>
    </message>
    <message>
        <source>RSS Editor</source>
        <translation>RSS 编辑器</translation>
    </message>
    <message>
        <source>RSS Edit</source>
        <translation>RSS 编辑</translation>
    </message>
    <message>
        <source>Playlist Scheduler</source>
        <translation>播放列表排程</translation>
    </message>
    <message>
        <source>Instant Message Tool</source>
        <translation>即时消息工具</translation>
    </message>
    <message>
        <source>MSG</source>
        <translation>消息</translation>
    </message>
    <message>
        <source>On Screen Label...</source>
        <translation>屏幕标签...</translation>
    </message>
    <message>
        <source>Send Picture...</source>
        <translation>发送图片...</translation>
    </message>
    <message>
        <source>Pictavo</source>
        <translation>Pictavo</translation>
    </message>
    <message>
        <source>Instant JPEG...</source>
        <translation>即时 JPEG...</translation>
    </message>
</context>
</TS>
