<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>lum::CMainFrame</name>
    <message>
        <source>Account</source>
        <translation>帳戶</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>伺服器(&amp;S)</translation>
    </message>
    <message>
        <source>Start Control Server</source>
        <translation>啟動控制伺服器</translation>
    </message>
    <message>
        <source>Stop Control Server</source>
        <translation>停止控制伺服器</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>備份</translation>
    </message>
    <message>
        <source>Protect Mode</source>
        <translation>保護模式</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>還原</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Account</source>
        <translation>帳戶(&amp;A)</translation>
    </message>
    <message>
        <source>Add/Edit Account...</source>
        <translation>新增/編輯帳戶...</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新增群組</translation>
    </message>
    <message>
        <source>New User</source>
        <translation>新增使用者</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>刪除群組</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Volume%1</source>
        <translation>音量%1</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>視訊</translation>
    </message>
    <message>
        <source>Turn on video output</source>
        <translation>開啟視訊輸出</translation>
    </message>
    <message>
        <source>Turn off video output</source>
        <translation>關閉視訊輸出</translation>
    </message>
    <message>
        <source>Start Playback</source>
        <translation>開始播放</translation>
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
        <translation>重新啟動播放器</translation>
    </message>
    <message>
        <source>Format Storage</source>
        <translation>格式化儲存</translation>
    </message>
    <message>
        <source>Stop Scrolling (MSG Off)</source>
        <translation>停止捲動 (關閉訊息)</translation>
    </message>
    <message>
        <source>MSG Off</source>
        <translation>關閉訊息</translation>
    </message>
    <message>
        <source>Get Group Status</source>
        <translation>讀取群組狀態</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>選項</translation>
    </message>
    <message>
        <source>Read Current Status</source>
        <translation>讀取目前狀態</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>Read CF Capacity</source>
        <translation>讀取CF容量</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>屬性</translation>
    </message>
    <message>
        <source>Read CF Files</source>
        <translation>讀取CF檔案</translation>
    </message>
    <message>
        <source>CF Data</source>
        <translation>CF資料</translation>
    </message>
    <message>
        <source>Read CF Playlist</source>
        <translation>讀取CF播放清單</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放清單</translation>
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
        <translation>系統設定</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>變更密碼</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具列(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Statusbar</source>
        <translation>狀態列(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;LogWindow</source>
        <translation>記錄視窗(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>語言(&amp;L)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具列</translation>
    </message>
</context>
<context>
    <name>lum</name>
    <message>
        <source>Please restart %1</source>
        <translation>請重新啟動 %1</translation>
    </message>
</context>
</TS>
