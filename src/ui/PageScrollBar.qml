import QtQuick
import QtQuick.Controls

// The one scroll bar policy of every screen: shown, and kept shown, exactly while its view
// has more to scroll to; absent when everything fits.
ScrollBar {
    policy: size < 1.0 ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
    Accessible.ignored: policy === ScrollBar.AlwaysOff
}
