<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</context>
<context>
    <name>lum</name>
    <message>
        <source>Please restart %1</source>
        <translation>请重新启动 %1</translation>
    </message>
</context>
</TS>
